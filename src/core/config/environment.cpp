#include "core/config/environment.h"

#include <algorithm>
#include <unistd.h>

namespace mv {

std::int32_t DefaultOnDemandMegabytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    const std::int64_t quarter =
        pages > 0 && pageBytes > 0 ? std::int64_t{pages} * pageBytes / 4 >> 20 : 1024;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(quarter, OnDemandRange.First, 1024));
}

namespace {

constexpr TColor SystemWindowText = 0x80000008;
constexpr TColor SystemWindow = 0x80000005;
constexpr TColor SystemGrayText = 0x80000011;
constexpr TColor SystemHighlightText = 0x8000000E;
constexpr TColor SystemHighlight = 0x8000000D;
constexpr TColor SystemFlag = 0x80000000;
constexpr TColor SystemColorCount = 25; // scroll bar 0 ... info background 24

constexpr std::array<std::string_view, ColorCount> ColorNames = {
    "NormalFont",
    "NormalBG",
    "DifferenceFont",
    "DifferenceBG",
    "DifferenceBiggerFont",
    "DifferenceBiggerBG",
    "DifferenceSmallerFont",
    "DifferenceSmallerBG",
    "OverFont",
    "OverBG",
    "SelectFont",
    "SelectBG",
    "EofFont",
    "EofBG",
    "CaretMarker",
};

constexpr TColors Defaults = {
    SystemWindowText,    // NormalFont
    SystemWindow,        // NormalBG
    0x00FF00FF,          // DifferenceFont: fuchsia
    SystemWindow,        // DifferenceBG
    0x000000FF,          // DifferenceBiggerFont: red
    SystemWindow,        // DifferenceBiggerBG
    0x00FF0000,          // DifferenceSmallerFont: blue
    SystemWindow,        // DifferenceSmallerBG
    SystemGrayText,      // OverFont
    SystemWindow,        // OverBG
    SystemHighlightText, // SelectFont
    SystemHighlight,     // SelectBG
    0x00000000,          // EofFont: black
    0x00FFFF00,          // EofBG: aqua
    0x00008000,          // CaretMarker: green
};

} // namespace

std::string_view ColorName(TColorIndex index) {
    return ColorNames[static_cast<std::size_t>(index)];
}

const TColors& DefaultColors() {
    return Defaults;
}

bool IsColorValue(TColor color) {
    return color <= 0x00FFFFFF || (color >= SystemFlag && color - SystemFlag < SystemColorCount);
}

} // namespace mv
