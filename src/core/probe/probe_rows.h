#pragma once

#include "core/datastore/address.h"
#include "core/probe/probe_edit.h"

#include <bit>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace mv {

// The rows of the data probe, top to bottom: what the bytes at the caret mean read as
// each type.
enum class TProbeRow : int {
    Int8,
    UInt8,
    Int16,
    UInt16,
    Int32,
    UInt32,
    Int64,
    UInt64,
    ByteHex,
    ByteOctal,
    ByteBinary,
    Float32,
    Float64,
    Utf8,
    Utf16,
    ShiftJis,
    Unix32Utc,
    Unix32Local,
    Unix64Utc,
    Unix64Local,
    DosDateTime,
    FileTime,
    Guid,
};
inline constexpr int ProbeRowCount = static_cast<int>(TProbeRow::Guid) + 1;
// The most bytes a row reads: the GUID's.
inline constexpr std::size_t ProbeSpan = 16;

// The row's caption (UTF-8).
[[nodiscard]] std::string_view RowCaption(TProbeRow row);
// The bytes a row's value takes: what an edit writes, and for a character its first byte.
[[nodiscard]] std::size_t RowSize(TProbeRow row);
// Whether typed text can become the row's bytes: the numbers and the times.
[[nodiscard]] bool RowEditable(TProbeRow row);

// The row's text for the bytes at the caret (as many as the data holds there, up to
// ProbeSpan, taken in the given order); empty when the value reaches past them.
[[nodiscard]] std::string RowText(TProbeRow row, std::span<const Byte> bytes,
                                  std::endian order);
// The bytes that text typed into the row stands for, in the given order, or why it stands
// for none. Always refused for a row that is not editable.
[[nodiscard]] TProbeEdit EncodeRow(TProbeRow row, std::string_view text, std::endian order);

} // namespace mv
