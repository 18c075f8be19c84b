// Keys, typed characters, the input method, the mouse, the wheel and the scroll bar reach the
// editor and change its bytes, caret and selection.
#include "view_fixture.h"

#include "core/typedvalues/char_set.h"
#include "core/typedvalues/sjis_utf8.h"

#include <QtGui/QInputMethodEvent>
#include <QtWidgets/QScrollBar>

namespace mv::test {
namespace {

using Input = ViewFixture;

std::vector<Byte> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST_F(Input, HexDigitsTypedAsKeysOverwriteThenInsert) {
    Load({0x3F, 0x00});
    QTest::keyClicks(&View(), "a");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xAF, 0x00}));
    EXPECT_EQ(Core().Caret(), (TCaretState{0, 1}));
    QTest::keyClicks(&View(), "1");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xA1, 0x00}));
    EXPECT_EQ(Core().Caret(), (TCaretState{1, 0}));
    QTest::keyClicks(&View(), "xg ");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xA1, 0x00})); // not digits
    QTest::keyClick(&View(), Qt::Key_Insert);            // INPUTMODE
    QTest::keyClicks(&View(), "7");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xA1, 0x70, 0x00}));
}

TEST_F(Input, KeypadKeysTypeTheDigitsAToF) {
    Load({0, 0, 0});
    QTest::keyClick(&View(), Qt::Key_Slash, Qt::KeypadModifier);    // A
    QTest::keyClick(&View(), Qt::Key_Asterisk, Qt::KeypadModifier); // B
    QTest::keyClick(&View(), Qt::Key_Minus, Qt::KeypadModifier);    // C
    QTest::keyClick(&View(), Qt::Key_Plus, Qt::KeypadModifier);     // D
    QTest::keyClick(&View(), Qt::Key_Enter, Qt::KeypadModifier);    // E
    QTest::keyClick(&View(), Qt::Key_Period, Qt::KeypadModifier);   // F
    QTest::keyClick(&View(), Qt::Key_5, Qt::KeypadModifier);        // an ordinary digit
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xAB, 0xCD, 0xEF, 0x50}));
    // With Ctrl the key is looked up as Ctrl+"{/(NumPad)}", which runs nothing.
    QTest::keyClick(&View(), Qt::Key_Slash, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xAB, 0xCD, 0xEF, 0x50}));
    // Switched off, the keypad "/" is no digit.
    Core().SetExpandTenKey(false);
    QTest::keyClick(&View(), Qt::Key_Slash, Qt::KeypadModifier);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xAB, 0xCD, 0xEF, 0x50}));
}

TEST_F(Input, KeysRunTheirCommandsAndAltOrCtrlTypeNothing) {
    Load(std::vector<Byte>(40, 0x11));
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClick(&View(), Qt::Key_Down);
    EXPECT_EQ(Core().CaretAddress(), 17);
    QTest::keyClick(&View(), Qt::Key_End); // PARAEND
    EXPECT_EQ(Core().CaretAddress(), 31);
    QTest::keyClick(&View(), Qt::Key_Left, Qt::ShiftModifier); // LEFTSEL
    QTest::keyClick(&View(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Core().Selection().Start, 29);
    EXPECT_EQ(Core().Selection().End, 31);
    QTest::keyClick(&View(), Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(&View(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Bytes(), std::vector<Byte>(40, 0x11));
    // Tab reaches the key table (INPUTAREA) instead of moving the focus.
    QTest::keyClick(&View(), Qt::Key_Tab);
    EXPECT_EQ(Core().InputArea(), TInputArea::Character);
    EXPECT_TRUE(View().hasFocus());
}

TEST_F(Input, CharactersAndInputMethodResultsInTheDocumentsSet) {
    Load({0, 0, 0});
    QTest::keyClick(&View(), Qt::Key_Tab);
    QTest::keyClicks(&View(), "AB");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{'A', 'B', 0}));

    Core().SetCharaSet(CharaSet::Jis);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(&View(), &commit);
    const std::string jis = ShiftJisToJisText(Utf8ToShiftJis("日本"));
    std::vector<Byte> expected = {'A', 'B'};
    expected.insert(expected.end(), jis.begin(), jis.end());
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(Core().CaretAddress(), static_cast<Address>(expected.size()));
}

TEST_F(Input, AnInputMethodResultLongerThanOneRequestIsTakenWhole) {
    QTest::keyClick(&View(), Qt::Key_Tab);
    const QString kanji = QString(300, QChar(0x65E5)); // 300 x "日", 600 Shift JIS bytes
    QInputMethodEvent commit;
    commit.setCommitString(kanji);
    QApplication::sendEvent(&View(), &commit);
    const std::string expected = Utf8ToShiftJis(kanji.toStdString());
    EXPECT_EQ(Bytes(), BytesOf(expected));
    // One request per piece of at most 500 bytes: two undo steps bring the file back.
    Core().ExecuteCommand(cmd::UNDO);
    EXPECT_EQ(Bytes().size(), 500u);
}

TEST_F(Input, ViewOnlyTypesNothing) {
    Load({0x12});
    Core().SetInputMode(TInputMode::ViewOnly);
    QTest::keyClicks(&View(), "ab");
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0x12}));
}

TEST_F(Input, ClickMovesTheCaretAndSelectsNothing) {
    Load(std::vector<Byte>(100, 0));
    Click(HexCell(37));
    EXPECT_EQ(Core().CaretAddress(), 37);
    EXPECT_TRUE(Core().Selection().Empty());
    EXPECT_EQ(Core().InputArea(), TInputArea::Hex);

    Click(CharCell(40));
    EXPECT_EQ(Core().CaretAddress(), 40);
    EXPECT_EQ(Core().InputArea(), TInputArea::Character);

    // The address column takes the line's first byte and leaves the area.
    const QRect address = View().Layout().AddressArea();
    Click(QPoint(address.center().x(), View().Layout().LineHeight() * 3 + 3));
    EXPECT_EQ(Core().CaretAddress(), 48);
    EXPECT_EQ(Core().InputArea(), TInputArea::Character);

    // Shift-click selects from the old caret; the clicked byte is the end, not included.
    Click(HexCell(52), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Core().Selection().Start, 48);
    EXPECT_EQ(Core().Selection().End, 52);
}

TEST_F(Input, DragSelectsFromThePressToTheCellUnderTheMouse) {
    Load(std::vector<Byte>(100, 0));
    Drag(HexCell(5), HexCell(21));
    EXPECT_EQ(Core().Selection().Start, 5);
    EXPECT_EQ(Core().Selection().End, 21);
    // Dragging back to the start leaves no selection behind.
    Drag(HexCell(30), HexCell(30));
    EXPECT_TRUE(Core().Selection().Empty());
    EXPECT_EQ(Core().CaretAddress(), 30);
}

TEST_F(Input, DragBelowTheViewScrollsLineByLine) {
    Load(std::vector<Byte>(16 * 100, 0));
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, HexCell(16));
    const QPoint below(HexCell(16).x(), Viewport()->height() + 40);
    QCursor::setPos(Viewport()->mapToGlobal(below));
    if (Viewport()->mapFromGlobal(QCursor::pos()) != below)
        GTEST_SKIP() << "the platform does not move the mouse";
    QTest::qWait(300);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_GT(Core().TopLine(), 0);
    EXPECT_EQ(Core().Selection().Start, 16);
    EXPECT_EQ(Core().CaretRow(), Core().VisibleLines() - 1);
}

TEST_F(Input, ScrollBarAndWheelScrollWithoutMovingTheCaretsRow) {
    Load(std::vector<Byte>(16 * 100, 0));
    Click(HexCell(16 * 2 + 3));
    QScrollBar* bar = View().verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 100);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Core().TopLine(), 1);
    EXPECT_EQ(Core().CaretRow(), 2);
    EXPECT_EQ(bar->value(), 1);

    QWheelEvent wheel(QPointF(50, 50), Viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
    EXPECT_EQ(Core().TopLine(), 1 + QApplication::wheelScrollLines());
    EXPECT_EQ(Core().CaretRow(), 2);
    EXPECT_TRUE(Core().Selection().Empty());

    bar->triggerAction(QAbstractSlider::SliderToMaximum); // FILEEND
    EXPECT_EQ(Core().CaretAddress(), 1600);
    EXPECT_EQ(bar->value(), Core().TopLine());
}

TEST_F(Input, RepeatedMovesRunWhileTheModifierIsHeld) {
    TEnvironment environment;
    environment.KeyAssignment = TKeyAssignment::Template(TKeyAssignType::DosStandard);
    View().ApplyEnvironment(environment);
    Load(std::vector<Byte>(16 * 50, 0));
    QTest::keyPress(&View(), Qt::Key_Down, Qt::ShiftModifier); // DOWNHIGH
    EXPECT_EQ(Core().CaretAddress(), 16 * 50);
    QTest::keyRelease(&View(), Qt::Key_Down, Qt::ShiftModifier);
}

} // namespace
} // namespace mv::test
