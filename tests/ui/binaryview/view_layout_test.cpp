#include "ui/binaryview/view_layout.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

// A font cell of 7 x 14 pixels: address 68, hexadecimal 25, SUM 25, characters 123 wide,
// 616 in all; lines 18 high.
const QSize Cell(7, 14);
constexpr int ScrollBar = 16;

TViewLayout Lay(std::uint8_t items, QSize client = QSize(616, 18 * 10 + 5)) {
    return TViewLayout(Cell, items, client, ScrollBar);
}

TEST(ViewLayout, ColumnWidthsFollowTheWidthOfW) {
    const TViewLayout layout = Lay(AllViewItems);
    const auto& widths = layout.ColumnWidths();
    EXPECT_EQ(widths[0], 68);
    for (int column = 1; column <= 16; ++column)
        EXPECT_EQ(widths[column], 25) << column;
    EXPECT_EQ(widths[TViewLayout::SumColumn], 25);
    EXPECT_EQ(widths[TViewLayout::CharacterColumn], 123);
    EXPECT_EQ(layout.TotalWidth(), 616 + ScrollBar);
    EXPECT_EQ(layout.LineHeight(), 18);
    EXPECT_EQ(layout.VisibleLines(), 10); // the partial eleventh line does not count
    EXPECT_EQ(layout.SixteenLinesHeight(), 288);
}

TEST(ViewLayout, HiddenColumnsAreZeroWideAndTheTotalShrinks) {
    const TViewLayout layout = Lay(viAddress | viCharacters);
    EXPECT_EQ(layout.ColumnWidths()[TViewLayout::SumColumn], 0);
    EXPECT_EQ(layout.TotalWidth(), 616 - 25 + ScrollBar);
    // The character column follows the hexadecimal columns directly.
    EXPECT_EQ(layout.CharacterArea().left(), 68 + 16 * 25 + 2);
    EXPECT_EQ(layout.CharCellRect(0, 0).left(), layout.CharacterArea().left());

    const TViewLayout bare = Lay(0);
    EXPECT_EQ(bare.ColumnWidths()[0], 0);
    EXPECT_EQ(bare.HexArea().left(), 0);
    EXPECT_TRUE(bare.CharacterArea().isEmpty());
    EXPECT_TRUE(bare.AddressArea().isEmpty());
}

TEST(ViewLayout, TheCharacterColumnFillsAWiderClient) {
    const TViewLayout layout = Lay(AllViewItems, QSize(700, 100));
    EXPECT_EQ(layout.ColumnWidths()[TViewLayout::CharacterColumn], 123 + 84);
    EXPECT_EQ(layout.ColumnsRight(), 700);
    EXPECT_EQ(layout.TotalWidth(), 616 + ScrollBar); // preferred width ignores the widening
    // Without a character column nothing widens.
    EXPECT_EQ(Lay(viAddress | viSum, QSize(700, 100)).ColumnsRight(), 68 + 400 + 25);
}

TEST(ViewLayout, AreasAndCells) {
    const TViewLayout layout = Lay(AllViewItems);
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
    EXPECT_EQ(layout.CaretRect(TInputArea::Hex, 2, 5, 0, TInputMode::Overwrite),
              QRect(hexX, 38, 7, 14));
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
    const TViewLayout layout = Lay(AllViewItems);
    struct TCase {
        QPoint Point;
        std::optional<TViewHit::TArea> Area;
        int Row;
        int Column;
    };
    const TCase cases[] = {
        {{68, 0}, TViewHit::Hex, 0, 0},
        {{68 + 25 * 15 + 24, 179}, TViewHit::Hex, 9, 15},
        {{70, 40}, TViewHit::Hex, 2, 0},
        {{10, 50}, TViewHit::Address, 2, 0},
        {{495 + 7 * 3, 20}, TViewHit::Character, 1, 3},
        {{68 + 400 + 5, 20}, std::nullopt, 0, 0}, // SUM
        {{70, 180}, std::nullopt, 0, 0},          // the partial line
        {{495 + 7 * 16, 20}, std::nullopt, 0, 0}, // past the sixteenth character
    };
    for (const TCase& c : cases) {
        const std::optional<TViewHit> hit = layout.HitTest(c.Point);
        ASSERT_EQ(hit.has_value(), c.Area.has_value()) << c.Point.x() << "," << c.Point.y();
        if (!hit) continue;
        EXPECT_EQ(hit->Area, *c.Area);
        EXPECT_EQ(hit->Row, c.Row);
        EXPECT_EQ(hit->Column, c.Column);
    }
}

TEST(ViewLayout, DragCellsOutsideTheAreaAreNegativeOrBeyond) {
    const TViewLayout layout = Lay(AllViewItems);
    const TDragCell above = layout.DragCell({60, -1}, TInputArea::Hex);
    EXPECT_EQ(above.Row, -1);
    EXPECT_EQ(above.Column, -1);
    const TDragCell right = layout.DragCell({600, 200}, TInputArea::Hex);
    EXPECT_EQ(right.Row, 11);
    EXPECT_GT(right.Column, 15);
    const TDragCell character = layout.DragCell({495 + 7 * 4 + 3, 37}, TInputArea::Character);
    EXPECT_EQ(character.Row, 2);
    EXPECT_EQ(character.Column, 4);
}

} // namespace
} // namespace mv
