// Pixels whose colour would be wrong only through a real fault in the colour choice, and the
// texts the view hands to its header and footer.
#include "view_fixture.h"

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/sjis_utf8.h"
#include "platform/system_color.h"
#include "ui/binaryview/footer_view.h"
#include "ui/binaryview/header_view.h"

#include <QtGui/QImage>

#include <algorithm>

namespace mv::test {
namespace {

using Paint = ViewFixture;

constexpr TColor Red = 0x000000FF;
constexpr TColor Green = 0x0000FF00;
constexpr TColor Blue = 0x00FF0000;
constexpr TColor Olive = 0x00008080;
constexpr TColor Navy = 0x00800000;
const QColor Aqua(0, 255, 255); // the EOF cell's default background

class PaintColors : public Paint {
protected:
    void Recolor(std::initializer_list<std::pair<TColorIndex, TColor>> colors) {
        TEnvironment environment = Environment();
        for (const auto& [index, color] : colors)
            environment.SetColor(index, color);
        editor_->SetEnvironment(environment);
    }
    // Paints without the focus, so no caret covers a pixel.
    QImage Picture() {
        View().clearFocus();
        return Viewport()->grab().toImage();
    }
    // A pixel of the cell where no glyph reaches: the right edge of its last column.
    QColor Background(const QImage& picture, Address address, bool hex = true) {
        const std::int32_t row = address / 16 - Core().TopLine();
        const QRect cell = hex ? View().Layout().HexCellRect(address % 16, row)
                               : View().Layout().CharCellRect(address % 16, row);
        return picture.pixelColor(cell.right(), cell.top() + 1);
    }
    QColor Expected(TColor color) { return ToQColor(color, View().palette()); }
    QColor Normal() { return Expected(Core().Colors()[static_cast<int>(TColorIndex::NormalBG)]); }
};

TEST_F(PaintColors, SelectionAndDifferenceColoursPerByte) {
    Recolor({{TColorIndex::SelectBG, Red},
             {TColorIndex::DifferenceBG, Navy},
             {TColorIndex::DifferenceBiggerBG, Green},
             {TColorIndex::DifferenceSmallerBG, Blue},
             {TColorIndex::OverBG, Olive}});
    Load({5, 5, 5, 5, 5, 5});
    TMemoryModule target;
    const std::vector<Byte> theirs = {5, 4, 6, 5, 5, 5, 5, 5, 5};
    target.InsertBytes(theirs.data(), 0, static_cast<ByteCount>(theirs.size()));
    ASSERT_EQ(Core().Comparison().CompareWithStore(target), TCompareStart::Started);
    Core().SetCaret({3, 0});
    Core().ExecuteCommand(cmd::SELECT);
    Core().ExecuteCommand(cmd::RIGHT); // selects byte 3, equal to the target's
    QImage picture = Picture();
    EXPECT_EQ(Background(picture, 0), Normal());
    EXPECT_EQ(Background(picture, 1), Expected(Green)); // 5 > 4
    EXPECT_EQ(Background(picture, 2), Expected(Blue));  // 5 < 6
    EXPECT_EQ(Background(picture, 3, false), Expected(Red));
    EXPECT_EQ(Background(picture, 4), Normal()); // the selection's end is not selected
    // Past this file's end, inside the target: the EOF cell keeps its colours, the rest is over.
    EXPECT_EQ(Background(picture, 6), Aqua);
    EXPECT_EQ(Background(picture, 6, false), Aqua);
    EXPECT_EQ(Background(picture, 8), Expected(Olive));
    // Without colouring by direction, bigger and smaller look alike.
    View().SetCompareColor(false);
    picture = Picture();
    EXPECT_EQ(Background(picture, 1), Expected(Navy));
    EXPECT_EQ(Background(picture, 2), Expected(Navy));
    Core().Comparison().End();
}

TEST_F(PaintColors, EachHalfOfADoubleByteCharacterHasItsBytesColours) {
    Recolor({{TColorIndex::SelectBG, Red}});
    const std::string text = "a" + Utf8ToShiftJis("日");
    Load(std::vector<Byte>(text.begin(), text.end()));
    Core().SetCaret({1, 0});
    Core().ExecuteCommand(cmd::RIGHTSEL); // only the lead byte
    const QImage picture = Picture();
    EXPECT_EQ(Background(picture, 1, false), Expected(Red));
    EXPECT_EQ(Background(picture, 2, false), Normal());
}

class PaintCharacters : public PaintColors {
protected:
    // The pixels of character cell `column` (0-16) of a row.
    QImage Cell(const QImage& picture, std::int32_t row, int column) {
        return picture.copy(View().Layout().CharCellRect(column, row));
    }
    // Whether anything but the normal background shows.
    bool Inked(const QImage& cell) {
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                if (cell.pixelColor(x, y) != Normal()) return true;
        return false;
    }
};

// Under UTF-8: "e", "e" with a combining acute, a stray continuation byte, a backslash, "日"
// from column 15 on, then a character no font has.
TEST_F(PaintCharacters, UnicodeCharactersTakeTheCellsOfTheirBytes) {
    std::vector<Byte> bytes(16 * 100, 'a');
    const std::vector<Byte> row0{'e', 'e', 0xCC, 0x81, 0x80, 'a', '\\'};
    const std::vector<Byte> kanji{0xE6, 0x97, 0xA5}, unknown{0xF4, 0x8F, 0xBF, 0xBD};
    std::copy(row0.begin(), row0.end(), bytes.begin());
    std::copy(kanji.begin(), kanji.end(), bytes.begin() + 15);
    std::copy(unknown.begin(), unknown.end(), bytes.begin() + 18);
    Load(bytes);
    Core().SetCharaSet(CharaSet::Utf8);
    const QImage picture = Picture();
    EXPECT_EQ(Cell(picture, 0, 1), Cell(picture, 0, 0)) << "the mark does not pile on the e";
    EXPECT_TRUE(Inked(Cell(picture, 0, 2)));
    EXPECT_FALSE(Inked(Cell(picture, 0, 3)));
    // The wide character is drawn whole on its own row; its bytes leave the next row's cells
    // blank.
    EXPECT_TRUE(Inked(Cell(picture, 0, 16)));
    EXPECT_FALSE(Inked(Cell(picture, 1, 0)));
    EXPECT_FALSE(Inked(Cell(picture, 1, 1)));
    EXPECT_TRUE(Inked(Cell(picture, 1, 2))) << "a box";
    EXPECT_FALSE(Inked(Cell(picture, 1, 3)));
    // A row that begins inside a character shows nothing of it.
    Core().ScrollTo(1);
    EXPECT_FALSE(Inked(Cell(Picture(), 0, 0)));

    // The stray byte is the dot that a byte of the other sets shows; the backslash is no yen
    // sign.
    Core().ScrollTo(0);
    const QImage dot = Cell(picture, 0, 4);
    const QImage backslash = Cell(picture, 0, 6);
    Core().SetCharaSet(CharaSet::ShiftJis);
    Core().OverwriteData(std::vector<Byte>{'a', 'a', 0xA5}, 2); // 0xA5: the half-width dot
    const QImage shiftJis = Picture();
    EXPECT_EQ(Cell(shiftJis, 0, 4), dot);
    EXPECT_NE(Cell(shiftJis, 0, 6), backslash);
}

TEST_F(PaintColors, CaretMarkerFramesTheCaretsCellInTheOtherArea) {
    Load(std::vector<Byte>(64, 0x41));
    Core().SetCaret({21, 0});
    View().SetCaretMarker(true);
    const QColor marker = Expected(Core().Colors()[static_cast<int>(TColorIndex::CaretMarker)]);
    const QRect charCell = View().Layout().CharCellRect(5, 1);
    const QImage picture = Picture();
    EXPECT_EQ(picture.pixelColor(charCell.right(), 0), marker); // the line over all rows
    EXPECT_EQ(picture.pixelColor(charCell.left(), charCell.top()), marker);
    EXPECT_NE(picture.pixelColor(View().Layout().HexCellRect(5, 1).right(), 0), marker);
}

// A search hit is bold in the repaint that puts the caret on it, and in no later one.
TEST_F(PaintColors, SearchHitIsBoldOnlyInTheRepaintThatPlacesTheCaret) {
    Load(std::vector<Byte>(32, 0x41));
    Core().SetCaret({5, 0});
    const QRect cell = View().Layout().HexCellRect(5, 0);
    const QImage before = Picture().copy(cell);
    Core().Search().Search(std::vector<Byte>{0x41, 0x41}, TSearchDirection::Forward, false);
    ASSERT_EQ(Core().CaretAddress(), 5);
    EXPECT_NE(Picture().copy(cell), before);
    EXPECT_EQ(Picture().copy(cell), before);
}

TEST_F(Paint, FooterSumsAndHeaderCaptionFollowTheView) {
    Load(Sequence(40)); // 0x00, 0x01, ...
    Core().SetCaret({21, 0});
    Viewport()->repaint();
    const TFooterView& footer = editor_->Footer();
    EXPECT_EQ(footer.Caption(1), QStringLiteral("30"));  // 0x00 + 0x10 + 0x20
    EXPECT_EQ(footer.Caption(16), QStringLiteral("2e")); // 0x0F + 0x1F, lower case
    EXPECT_EQ(editor_->Header().CaretColumn(), 5);

    QTest::keyClick(&View(), Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier); // CHARASET
    EXPECT_EQ(editor_->Header().Caption(TViewLayout::CharacterColumn), QStringLiteral("JIS"));
    for (int step = 0; step < 3; ++step) // EUC, UTF-8, UTF-16LE
        QTest::keyClick(&View(), Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor_->Header().Caption(TViewLayout::CharacterColumn), QStringLiteral("UTF-16LE"));
    EXPECT_EQ(editor_->Header().Caption(11), QStringLiteral("+A"));
}

TEST_F(Paint, ViewItemsHideTheStripsAndColumns) {
    editor_->SetViewItems(viAddress | viCharacters);
    EXPECT_FALSE(editor_->Header().isVisibleTo(editor_.get()));
    // Hiding the character column takes the caret out of it.
    QTest::keyClick(&View(), Qt::Key_Tab);
    ASSERT_EQ(Core().InputArea(), TInputArea::Character);
    editor_->SetViewItems(viAddress);
    EXPECT_EQ(Core().InputArea(), TInputArea::Hex);
}

} // namespace
} // namespace mv::test
