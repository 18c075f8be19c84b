#include "ui/binaryview/cell_colors.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

// Every colour a distinct number: the colour index itself in the font, index + 100 behind it.
TColors Numbered() {
    TColors colors{};
    for (int i = 0; i < ColorCount; ++i)
        colors[static_cast<std::size_t>(i)] = static_cast<TColor>(i % 2 == 0 ? i : 100 + i);
    return colors;
}

TCellColor Expect(TColorIndex font, TColorIndex background, bool bold = false) {
    const TColors colors = Numbered();
    return {colors[static_cast<std::size_t>(font)], colors[static_cast<std::size_t>(background)],
            bold};
}

TCellColors::TState Comparing(Address size, Address targetSize) {
    TCellColors::TState state;
    state.Colors = Numbered();
    state.Size = size;
    state.Comparing = true;
    state.TargetSize = targetSize;
    return state;
}

using enum TColorIndex;

// The painted view checks the colours of bigger, smaller and past this file's end.
TEST(CellColors, OverPastTheTargetsEndAndDifferencesWithoutDirection) {
    EXPECT_EQ(TCellColors(Comparing(14, 10)).Of(11, 1, 0), Expect(OverFont, OverBG));

    TCellColors::TState plain = Comparing(10, 14);
    plain.CompareColor = false;
    EXPECT_EQ(TCellColors(plain).Of(0, 6, 5), Expect(DifferenceFont, DifferenceBG));
}

TEST(CellColors, SelectionWinsOverTheComparisonAndHighlightIsBold) {
    TCellColors::TState state = Comparing(10, 14);
    state.Selection = {TSelectionState::Fixed, 0, 3};
    state.HighlightStart = 2;
    state.HighlightLength = 4;
    const TCellColors colors(state);
    EXPECT_EQ(colors.Of(1, 6, 5), Expect(SelectFont, SelectBG));
    EXPECT_EQ(colors.Of(2, 6, 5), Expect(SelectFont, SelectBG, true));
    EXPECT_EQ(colors.Of(5, 6, 5), Expect(DifferenceBiggerFont, DifferenceBiggerBG, true));
    EXPECT_EQ(colors.Of(6, 6, 5), Expect(DifferenceBiggerFont, DifferenceBiggerBG));
}

} // namespace
} // namespace mv
