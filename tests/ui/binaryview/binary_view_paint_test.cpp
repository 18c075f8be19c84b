// Pixels whose colour would be wrong only through a real fault in the colour choice, and the
// texts the view hands to its header and footer.
#include "view_fixture.h"

#include "core/typedvalues/sjis_utf8.h"
#include "platform/system_color.h"
#include "ui/binaryview/footer_view.h"
#include "ui/binaryview/header_view.h"
#include "ui/binaryview/line_text.h"

#include <QtGui/QImage>

namespace mv::test {
namespace {

using Paint = ViewFixture;

constexpr TColor Red = 0x000000FF;
constexpr TColor Green = 0x0000FF00;
constexpr TColor Blue = 0x00FF0000;
constexpr TColor Olive = 0x00008080;

class PaintColors : public Paint {
protected:
    // Paints without the focus, so no caret covers a pixel.
    QImage Picture() {
        View().clearFocus();
        return Viewport()->grab().toImage();
    }
    // A pixel of a cell where no glyph reaches: the right edge of the cell's last column.
    static QPoint Background(const QRect& cell) { return {cell.right(), cell.top() + 1}; }

    QColor HexBackground(const QImage& picture, Address address) {
        const QRect cell =
            View().Layout().HexCellRect(address % 16, address / 16 - Core().TopLine());
        return picture.pixelColor(Background(cell));
    }
    QColor CharBackground(const QImage& picture, Address address) {
        const QRect cell =
            View().Layout().CharCellRect(address % 16, address / 16 - Core().TopLine());
        return picture.pixelColor(Background(cell));
    }
    QColor Expected(TColor color) { return ToQColor(color, View().palette()); }
};

TEST_F(PaintColors, TheEofCellOfAnEmptyFile) {
    const QImage picture = Picture();
    EXPECT_EQ(HexBackground(picture, 0),
              Expected(Core().Colors()[static_cast<int>(TColorIndex::EofBG)]));
    EXPECT_EQ(HexBackground(picture, 0), QColor(0, 255, 255)); // aqua by default
    EXPECT_EQ(CharBackground(picture, 0), QColor(0, 255, 255));
    EXPECT_EQ(HexBackground(picture, 1),
              Expected(Core().Colors()[static_cast<int>(TColorIndex::NormalBG)]));
    // The EOF cell's text is in EofFont: some pixel of it is black.
    const QRect cell = View().Layout().HexCellRect(0, 0);
    bool black = false;
    for (int x = cell.left(); x <= cell.right(); ++x)
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            black = black || picture.pixelColor(x, y) == QColor(Qt::black);
    EXPECT_TRUE(black);
}

TEST_F(PaintColors, SelectionAndDifferenceColoursPerByte) {
    TEnvironment environment;
    environment.ApplyModes = 1;
    environment.CaretMarker = false;
    environment.SetColor(TColorIndex::SelectBG, Red);
    environment.SetColor(TColorIndex::DifferenceBiggerBG, Green);
    environment.SetColor(TColorIndex::DifferenceSmallerBG, Blue);
    environment.SetColor(TColorIndex::OverBG, Olive);
    editor_->SetEnvironment(environment);
    Load({5, 5, 5, 5, 5, 5});
    TMemoryModule target;
    const std::vector<Byte> theirs = {5, 4, 6, 5, 5, 5, 5, 5, 5};
    target.InsertBytes(theirs.data(), 0, static_cast<ByteCount>(theirs.size()));
    ASSERT_EQ(Core().Comparison().CompareWithStore(target), TCompareStart::Started);
    Core().SetCaret({3, 0});
    Core().ExecuteCommand(cmd::SELECT);
    Core().ExecuteCommand(cmd::RIGHT); // selects byte 3, equal to the target's
    QImage picture = Picture();
    EXPECT_EQ(HexBackground(picture, 0),
              Expected(Core().Colors()[static_cast<int>(TColorIndex::NormalBG)]));
    EXPECT_EQ(HexBackground(picture, 1), Expected(Green)); // 5 > 4
    EXPECT_EQ(HexBackground(picture, 2), Expected(Blue));  // 5 < 6
    EXPECT_EQ(HexBackground(picture, 3), Expected(Red));
    EXPECT_EQ(CharBackground(picture, 3), Expected(Red));
    // Past this file's end, inside the target: the EOF cell keeps its colours, the rest is over.
    EXPECT_EQ(HexBackground(picture, 6), QColor(0, 255, 255));
    EXPECT_EQ(HexBackground(picture, 7), Expected(Olive));
    EXPECT_EQ(HexBackground(picture, 9), Expected(Olive));
    Core().Comparison().End();
}

TEST_F(PaintColors, EachHalfOfADoubleByteCharacterHasItsBytesColours) {
    TEnvironment environment;
    environment.ApplyModes = 1;
    environment.CaretMarker = false;
    environment.SetColor(TColorIndex::SelectBG, Red);
    editor_->SetEnvironment(environment);
    const std::string text = "a" + Utf8ToShiftJis("日");
    Load(std::vector<Byte>(text.begin(), text.end()));
    Core().SetCaret({1, 0});
    Core().ExecuteCommand(cmd::RIGHTSEL); // only the lead byte
    const QImage picture = Picture();
    EXPECT_EQ(CharBackground(picture, 1), Expected(Red));
    EXPECT_EQ(CharBackground(picture, 2),
              Expected(Core().Colors()[static_cast<int>(TColorIndex::NormalBG)]));
}

TEST_F(PaintColors, CaretMarkerFramesTheCaretsCellInTheOtherArea) {
    Load(std::vector<Byte>(64, 0x41));
    Core().SetCaret({21, 0});
    View().SetCaretMarker(true);
    const QColor marker = Expected(Core().Colors()[static_cast<int>(TColorIndex::CaretMarker)]);
    QImage picture = Picture();
    const QRect charCell = View().Layout().CharCellRect(5, 1);
    EXPECT_EQ(picture.pixelColor(charCell.right(), 0), marker); // the line over all rows
    EXPECT_EQ(picture.pixelColor(charCell.left(), charCell.top()), marker);
    EXPECT_NE(picture.pixelColor(View().Layout().HexCellRect(5, 1).right(), 0), marker);

    QTest::keyClick(&View(), Qt::Key_Tab); // the caret goes to the character area
    picture = Picture();
    const QRect hexCell = View().Layout().HexCellRect(5, 1);
    EXPECT_EQ(picture.pixelColor(hexCell.right(), 0), marker);
    EXPECT_NE(picture.pixelColor(charCell.right(), 0), marker);
}

TEST_F(Paint, FooterSumsAndHeaderCaptionFollowTheView) {
    std::vector<Byte> bytes(40);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<Byte>(i);
    Load(bytes);
    Core().SetCaret({21, 0});
    Viewport()->repaint();
    const TFooterView& footer = editor_->Footer();
    std::vector<Byte> visible(static_cast<std::size_t>(Core().VisibleLines()) * 16, 0);
    std::copy(bytes.begin(), bytes.end(), visible.begin());
    EXPECT_EQ(footer.Sums(), ColumnSums(visible, 0, 40));
    EXPECT_EQ(footer.Caption(1), QStringLiteral("30"));  // 0x00 + 0x10 + 0x20
    EXPECT_EQ(footer.Caption(16), QStringLiteral("2e")); // 0x0F + 0x1F, lower case
    EXPECT_EQ(footer.CaretColumn(), 5);
    EXPECT_EQ(editor_->Header().CaretColumn(), 5);

    EXPECT_EQ(editor_->Header().Caption(TViewLayout::CharacterColumn), QStringLiteral("Shift JIS"));
    QTest::keyClick(&View(), Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier); // CHARASET
    EXPECT_EQ(editor_->Header().Caption(TViewLayout::CharacterColumn), QStringLiteral("JIS"));
    EXPECT_EQ(editor_->Header().Caption(11), QStringLiteral("+A"));
}

TEST_F(Paint, ViewItemsHideStripsAndColumns) {
    editor_->SetViewItems(viAddress | viCharacters);
    EXPECT_FALSE(editor_->Header().isVisibleTo(editor_.get()));
    EXPECT_FALSE(editor_->Footer().isVisibleTo(editor_.get()));
    EXPECT_EQ(View().Layout().ColumnWidths()[TViewLayout::SumColumn], 0);
    EXPECT_EQ(editor_->PreferredHeight(),
              2 * editor_->frameWidth() + View().Layout().SixteenLinesHeight());
    // Hiding the character column takes the caret out of it.
    QTest::keyClick(&View(), Qt::Key_Tab);
    ASSERT_EQ(Core().InputArea(), TInputArea::Character);
    editor_->SetViewItems(viAddress);
    EXPECT_EQ(Core().InputArea(), TInputArea::Hex);
}

} // namespace
} // namespace mv::test
