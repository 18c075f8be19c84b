#include "ui/binaryview/view_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace mv {
namespace {

// A font cell of 7 x 14 pixels: address 68, hexadecimal 25, SUM 25, characters 123 wide,
// 616 in all; lines 18 high.
const QSize Cell(7, 14);
constexpr int ScrollBar = 16;

TViewLayout Lay(std::uint8_t items, QSize client = QSize(616, 18 * 10 + 5)) {
    return TViewLayout(Cell, items, client, ScrollBar);
}

TEST(ViewLayout, HiddenColumnsAreZeroWideAndTheTotalShrinks) {
    const TViewLayout layout = Lay(viAddress | viCharacters);
    EXPECT_EQ(layout.ColumnWidths()[TViewLayout::SumColumn], 0);
    EXPECT_EQ(layout.TotalWidth(), 616 - 25 + ScrollBar);
    // The character column follows the hexadecimal columns directly.
    EXPECT_EQ(layout.CharacterArea().left(), 68 + 16 * 25 + 2);
    EXPECT_EQ(layout.CharCellRect(0, 0).left(), layout.CharacterArea().left());
    EXPECT_EQ(Lay(0).HexArea().left(), 0);
}

TEST(ViewLayout, TheCharacterColumnFillsAWiderClient) {
    const TViewLayout layout = Lay(AllViewItems, QSize(700, 100));
    EXPECT_EQ(layout.ColumnWidths()[TViewLayout::CharacterColumn], 123 + 84);
    EXPECT_EQ(layout.TotalWidth(), 616 + ScrollBar); // preferred width ignores the widening
    // Without a character column nothing widens.
    EXPECT_EQ(Lay(viAddress | viSum, QSize(700, 100)).ColumnsRight(), 68 + 400 + 25);
}

TEST(ViewLayout, WidthsAreasAndCells) {
    const TViewLayout layout = Lay(AllViewItems);
    EXPECT_EQ(layout.TotalWidth(), 616 + ScrollBar);
    EXPECT_EQ(layout.VisibleLines(), 10); // the partial eleventh line does not count
    EXPECT_EQ(layout.SixteenLinesHeight(), 288);
    EXPECT_EQ(layout.AddressArea(), QRect(0, 0, 68, 180));
    EXPECT_EQ(layout.HexArea(), QRect(68, 0, 400, 180));
    EXPECT_EQ(layout.CharacterArea(), QRect(68 + 17 * 25 + 2, 0, 16 * 7, 180));
    EXPECT_EQ(layout.HexCellRect(3, 2), QRect(68 + 3 * 25, 36, 25, 18));
    EXPECT_EQ(layout.CellRect(TViewLayout::SumColumn, 1), QRect(68 + 400, 18, 25, 18));
    EXPECT_EQ(layout.RaisedCellRect(0, 1), QRect(2, 20, 64, 14));
    // The seventeenth character cell holds the second half of a character from column 15.
    EXPECT_EQ(layout.CharCellRect(16, 0).right(), layout.CharacterArea().right() + 7);
}

TEST(ViewLayout, CaretShapeFollowsTheInputMode) {
    const TViewLayout layout = Lay(AllViewItems);
    const int hexX = 68 + 5 * 25 + 2;
    EXPECT_EQ(layout.CaretRect(TInputArea::Hex, 2, 5, 1, TInputMode::Overwrite),
              QRect(hexX + 7, 38, 7, 14));
    // The lower third: 14 - 2 * (14 div 3) = 6 pixels high, 8 pixels down.
    EXPECT_EQ(layout.CaretRect(TInputArea::Hex, 2, 5, 0, TInputMode::Insert),
              QRect(hexX, 38 + 8, 7, 6));
    EXPECT_EQ(layout.CaretRect(TInputArea::Hex, 2, 5, 0, TInputMode::ViewOnly),
              QRect(hexX, 38, 2, 14));
    const int charX = 68 + 16 * 25 + 25 + 2 + 5 * 7;
    EXPECT_EQ(layout.CaretRect(TInputArea::Character, 0, 5, 0, TInputMode::Overwrite),
              QRect(charX, 2, 7, 14));
}

TEST(ViewLayout, HitTestNamesTheAreaRowAndColumn) {
    using Hit = std::optional<std::tuple<TViewHit::TArea, int, int>>;
    const std::pair<QPoint, Hit> cases[] = {
        {{68, 0}, Hit({TViewHit::Hex, 0, 0})},
        {{68 + 25 * 15 + 24, 179}, Hit({TViewHit::Hex, 9, 15})},
        {{10, 50}, Hit({TViewHit::Address, 2, 0})},
        {{495 + 7 * 3, 20}, Hit({TViewHit::Character, 1, 3})},
        {{68 + 400 + 5, 20}, std::nullopt}, // SUM
        {{70, 180}, std::nullopt},          // the partial line
        {{495 + 7 * 16, 20}, std::nullopt}, // past the sixteenth character
    };
    for (const auto& [point, expected] : cases) {
        const std::optional<TViewHit> hit = Lay(AllViewItems).HitTest(point);
        EXPECT_EQ(hit ? Hit({hit->Area, hit->Row, hit->Column}) : std::nullopt, expected)
            << point.x() << "," << point.y();
    }
}

TEST(ViewLayout, DragCellsOutsideTheAreaAreNegativeOrBeyond) {
    const TViewLayout layout = Lay(AllViewItems);
    const TDragCell above = layout.DragCell({60, -1}, TInputArea::Hex);
    EXPECT_EQ(above.Row, -1);
    const TDragCell right = layout.DragCell({600, 200}, TInputArea::Hex);
    EXPECT_EQ(right.Row, 11);
    EXPECT_GT(right.Column, 15);
    const TDragCell character = layout.DragCell({495 + 7 * 4 + 3, 37}, TInputArea::Character);
    EXPECT_EQ(character.Row, 2);
    EXPECT_EQ(character.Column, 4);
}

} // namespace
} // namespace mv
