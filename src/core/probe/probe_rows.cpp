#include "core/probe/probe_rows.h"

#include "core/probe/char_rows.h"
#include "core/probe/guid_text.h"
#include "core/probe/number_rows.h"
#include "core/probe/time_rows.h"

#include <array>
#include <cstdint>

namespace mv {
namespace {

using Show = std::string (*)(std::span<const Byte> bytes, std::endian order);
using Edit = TProbeEdit (*)(std::string_view text, std::endian order);

struct TRowFormat {
    TProbeRow Row;
    const char* Caption;
    std::size_t Size;
    Show ShowBytes;
    Edit EditText; // nullptr: the row shows only
};

constexpr TTimeZone Utc = TTimeZone::Utc;
constexpr TTimeZone Local = TTimeZone::Local;
using R = TProbeRow;

constexpr std::array<TRowFormat, ProbeRowCount> Formats{{
    {R::Int8, "符号付き 8 ビット", 1, ShowInteger<std::int8_t>, EditInteger<std::int8_t>},
    {R::UInt8, "符号なし 8 ビット", 1, ShowInteger<std::uint8_t>, EditInteger<std::uint8_t>},
    {R::Int16, "符号付き 16 ビット", 2, ShowInteger<std::int16_t>, EditInteger<std::int16_t>},
    {R::UInt16, "符号なし 16 ビット", 2, ShowInteger<std::uint16_t>, EditInteger<std::uint16_t>},
    {R::Int32, "符号付き 32 ビット", 4, ShowInteger<std::int32_t>, EditInteger<std::int32_t>},
    {R::UInt32, "符号なし 32 ビット", 4, ShowInteger<std::uint32_t>, EditInteger<std::uint32_t>},
    {R::Int64, "符号付き 64 ビット", 8, ShowInteger<std::int64_t>, EditInteger<std::int64_t>},
    {R::UInt64, "符号なし 64 ビット", 8, ShowInteger<std::uint64_t>, EditInteger<std::uint64_t>},
    {R::ByteHex, "16 進数 (8 ビット)", 1, ShowByte<16>, EditByte<16>},
    {R::ByteOctal, "8 進数 (8 ビット)", 1, ShowByte<8>, EditByte<8>},
    {R::ByteBinary, "2 進数 (8 ビット)", 1, ShowByte<2>, EditByte<2>},
    {R::Float32, "浮動小数点 32 ビット", 4, ShowFloat32, EditFloat32},
    {R::Float64, "浮動小数点 64 ビット", 8, ShowFloat64, EditFloat64},
    {R::Utf8, "文字 UTF-8", 1, ShowUtf8, nullptr},
    {R::Utf16, "文字 UTF-16", 2, ShowUtf16, nullptr},
    {R::ShiftJis, "文字 Shift JIS", 1, ShowShiftJis, nullptr},
    {R::Unix32Utc, "UNIX 時刻 32 ビット (UTC)", 4, ShowUnixTime<std::int32_t, Utc>,
     EditUnixTime<std::int32_t, Utc>},
    {R::Unix32Local, "UNIX 時刻 32 ビット (ローカル)", 4, ShowUnixTime<std::int32_t, Local>,
     EditUnixTime<std::int32_t, Local>},
    {R::Unix64Utc, "UNIX 時刻 64 ビット (UTC)", 8, ShowUnixTime<std::int64_t, Utc>,
     EditUnixTime<std::int64_t, Utc>},
    {R::Unix64Local, "UNIX 時刻 64 ビット (ローカル)", 8, ShowUnixTime<std::int64_t, Local>,
     EditUnixTime<std::int64_t, Local>},
    {R::DosDateTime, "MS-DOS 日時", 4, ShowDosDateTime, EditDosDateTime},
    {R::FileTime, "FILETIME (UTC)", 8, ShowFileTime, EditFileTime},
    {R::Guid, "GUID", 16, ShowGuid, nullptr},
}};

// The table lists every row once, in the order of the enumeration.
constexpr bool InOrder() {
    for (int i = 0; i < ProbeRowCount; ++i)
        if (Formats[static_cast<std::size_t>(i)].Row != static_cast<TProbeRow>(i)) return false;
    return true;
}
static_assert(InOrder());

const TRowFormat& FormatOf(TProbeRow row) {
    return Formats[static_cast<std::size_t>(row)];
}

} // namespace

std::string_view RowCaption(TProbeRow row) {
    return FormatOf(row).Caption;
}

std::size_t RowSize(TProbeRow row) {
    return FormatOf(row).Size;
}

bool RowEditable(TProbeRow row) {
    return FormatOf(row).EditText != nullptr;
}

std::string RowText(TProbeRow row, std::span<const Byte> bytes, std::endian order) {
    const TRowFormat& format = FormatOf(row);
    if (bytes.size() < format.Size) return {};
    return format.ShowBytes(bytes.first(std::min(bytes.size(), ProbeSpan)), order);
}

TProbeEdit EncodeRow(TProbeRow row, std::string_view text, std::endian order) {
    const TRowFormat& format = FormatOf(row);
    if (format.EditText == nullptr) return TProbeEdit::Refused("この項目は編集できません.");
    return format.EditText(text, order);
}

} // namespace mv
