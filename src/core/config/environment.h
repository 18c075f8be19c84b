#pragma once

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/key_assignment.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mv {

// A Windows colour value: 0x00BBGGRR for a fixed colour, 0x80000000 plus the index for a
// system colour. Stored and applied as is; only painting interprets it.
using TColor = std::uint32_t;

// The colours of the binary view, in record order. The names are the stored value names.
enum class TColorIndex : std::uint8_t {
    NormalFont,
    NormalBG,
    DifferenceFont,
    DifferenceBG,
    DifferenceBiggerFont,
    DifferenceBiggerBG,
    DifferenceSmallerFont,
    DifferenceSmallerBG,
    OverFont,
    OverBG,
    SelectFont,
    SelectBG,
    EofFont,
    EofBG,
    CaretMarker,
};
inline constexpr int ColorCount = 15;
using TColors = std::array<TColor, ColorCount>;

[[nodiscard]] std::string_view ColorName(TColorIndex index);
[[nodiscard]] const TColors& DefaultColors();
// A fixed colour (0x00BBGGRR) or a system colour index the screen knows; anything else is no
// colour, and a stored one keeps its default.
[[nodiscard]] bool IsColorValue(TColor color);

// The values a number of the record may take; a stored number outside keeps its default.
struct TValueRange {
    std::int32_t First;
    std::int32_t Last;
    [[nodiscard]] constexpr bool Holds(std::int32_t value) const {
        return value >= First && value <= Last;
    }
};
inline constexpr TValueRange FontHeightRange{10, 30};
inline constexpr TValueRange UndoBufferRange{0, 1024}; // kilobytes
inline constexpr TValueRange ProfileMaxRange{10, 200};
inline constexpr TValueRange OnDemandRange{16, 1 << 20}; // megabytes

// Files from this size on are read on demand: the smaller of 1 GiB and a quarter of the
// physical memory, in megabytes.
[[nodiscard]] std::int32_t DefaultOnDemandMegabytes();

// The numbers of these enumerations are stored in the configuration; they never change.
enum class TInputMode : std::uint8_t { Overwrite = 0, Insert = 1, ViewOnly = 2 };
enum class TCheckSum : std::uint8_t { Simple = 0, Ascii = 1 };
enum class TByteOrder : std::uint8_t { LittleEndian = 0, BigEndian = 1 };
// The width of an integer typed at the caret.
enum class TVariableType : std::uint8_t {
    vtUnformat = 0,
    vtByte = 1,
    vtWord = 2,
    vtDoubleWord = 3
};
// The radix an integer is shown and entered in.
enum class TCardinalNumber : std::uint8_t { cnBinary = 0, cnDecimal = 1, cnHexadecimal = 2 };

// The configuration applied to every document window and its editor, with the defaults of a
// first start.
struct TEnvironment {
    // 1 when the record is applied to a new window, 0 for a broadcast to existing windows.
    std::uint8_t ApplyModes = 0;
    TColors Colors = DefaultColors();
    TKeyAssignment KeyAssignment = TKeyAssignment::Template(TKeyAssignType::WindowsStandard);

    // View items.
    bool ToolBar = true;
    bool FunctionBar = true;
    bool StatusBar = true;
    bool InformationPanel = true;
    bool CompareArrow = true;
    bool CompareColor = true;
    bool CaretMarker = true;

    bool OpeningDlg = true;
    std::int32_t FontHeight = 14;
    std::string ViewModeExt = "sys;exe;com;dll;vxd"; // extensions separated by ';'
    bool MakeBackFile = true;
    TInputMode InputMode = TInputMode::Overwrite;
    mv::CharaSet CharaSet = mv::CharaSet::ShiftJis;
    TCheckSum CheckSum = TCheckSum::Simple;
    TVariableType IntWidth = TVariableType::vtWord;
    TCardinalNumber IntCardinal = TCardinalNumber::cnDecimal;
    TByteOrder ByteOrder = TByteOrder::LittleEndian;
    bool ExpandTenKey = true;
    std::int32_t UndoBuffer = 128; // kilobytes
    std::int32_t OnDemandMegabytes = DefaultOnDemandMegabytes();
    bool UndoPacked = false;
    bool UndoFlushWithSaved = true;
    bool UndoOverflowSound = true;
    TKeyAssignType KeyAssignType = TKeyAssignType::WindowsStandard;
    bool DialogFlattery = true;
    bool DialogAutoHidden = true;
    bool NewWindowMoveCenter = true;
    bool ProfileWindowLoad = true;
    bool ProfilePositionLoad = true;
    bool ProfileNotExistToCenter = true;
    std::int32_t ProfileMax = 100;
    // The data probe's byte order, which the next probe opened starts with.
    TByteOrder ProbeByteOrder = TByteOrder::LittleEndian;

    [[nodiscard]] TColor Color(TColorIndex index) const {
        return Colors[static_cast<std::size_t>(index)];
    }
    void SetColor(TColorIndex index, TColor color) {
        Colors[static_cast<std::size_t>(index)] = color;
    }

    friend bool operator==(const TEnvironment&, const TEnvironment&) = default;
};

} // namespace mv
