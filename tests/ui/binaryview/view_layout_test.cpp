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

TEST(ViewLayout, HiddenColumnsAreZeroWideAndTheCharacterColumnFillsAWiderClient) {
    const TViewLayout hidden = Lay(viAddress | viCharacters);
    EXPECT_EQ(hidden.TotalWidth(), 616 - 25 + ScrollBar);
    EXPECT_EQ(hidden.CharCellRect(0, 0).left(), 68 + 16 * 25 + 2);
    // 700 - (616 + 16): the widening leaves a strip one scroll bar wide right of the columns.
    const TViewLayout wide = Lay(AllViewItems, QSize(700, 100));
    EXPECT_EQ(wide.ColumnWidths()[TViewLayout::CharacterColumn], 123 + 68);
    EXPECT_EQ(wide.ColumnsRight(), 700 - ScrollBar);
    EXPECT_EQ(wide.TotalWidth(), 616 + ScrollBar); // preferred width ignores the widening
}

TEST(ViewLayout, OnlyWholeLinesCountAndTheSecondHalfCellLiesPastTheArea) {
    const TViewLayout layout = Lay(AllViewItems);
    EXPECT_EQ(layout.VisibleLines(), 10); // the partial eleventh line does not count
    // The seventeenth character cell holds the second half of a character from column 15.
    EXPECT_EQ(layout.CharCellRect(16, 0).right(), layout.CharacterArea().right() + 7);
}

// The insert caret covers the lower third: 14 - 2 * (14 div 3) = 6 pixels high, 8 down.
TEST(ViewLayout, InsertCaretIsTheLowerThirdOfTheDigit) {
    EXPECT_EQ(Lay(AllViewItems).CaretRect(TInputArea::Hex, 2, 5, 1, TInputMode::Insert),
              QRect(68 + 5 * 25 + 2 + 7, 38 + 8, 7, 6));
}

TEST(ViewLayout, HitTestNamesTheAreaRowAndColumn) {
    using Hit = std::optional<std::tuple<TViewHit::TArea, int, int>>;
    const std::pair<QPoint, Hit> cases[] = {
        {{68, 0}, Hit({TViewHit::Hex, 0, 0})},
        {{68 + 25 * 15 + 24, 179}, Hit({TViewHit::Hex, 9, 15})},
        {{495 + 7 * 3, 20}, Hit({TViewHit::Character, 1, 3})},
        {{68 + 400 + 5, 20}, std::nullopt}, // SUM
        {{495 + 7 * 16, 20}, std::nullopt}, // past the sixteenth character
    };
    for (const auto& [point, expected] : cases) {
        const std::optional<TViewHit> hit = Lay(AllViewItems).HitTest(point);
        EXPECT_EQ(hit ? Hit({hit->Area, hit->Row, hit->Column}) : std::nullopt, expected)
            << point.x() << "," << point.y();
    }
}

} // namespace
} // namespace mv
