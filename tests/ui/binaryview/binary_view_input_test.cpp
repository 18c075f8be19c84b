// Keys, typed characters, the input method, the mouse, the wheel and the scroll bar reach the
// editor and change its bytes, caret and selection.
#include "view_fixture.h"

#include "core/typedvalues/char_set.h"

#include <QtGui/QInputMethodEvent>
#include <QtWidgets/QScrollBar>

namespace mv::test {
namespace {

using Input = ViewFixture;

// Typed hex digits overwrite, then insert; the keypad's Enter (an extended key) types E.
TEST_F(Input, DigitsFromTheKeysAndTheKeypad) {
    Load({0x3F, 0x00});
    QTest::keyClicks(&View(), "a1xg "); // the last three are no digits
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xA1, 0x00}));
    QTest::keyClick(&View(), Qt::Key_Insert); // INPUTMODE
    QTest::keyClick(&View(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&View(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0xA1, 0xE5, 0x00}));
}

TEST_F(Input, KeysRunTheirCommandsAndAltOrCtrlTypeNothing) {
    Load(std::vector<Byte>(40, 0x11));
    QTest::keyClick(&View(), Qt::Key_End);                     // PARAEND
    QTest::keyClick(&View(), Qt::Key_Left, Qt::ShiftModifier); // LEFTSEL
    EXPECT_EQ(Core().Selection().Start, 14);
    EXPECT_EQ(Core().Selection().End, 15);
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
    Core().SetCharaSet(CharaSet::Jis);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(&View(), &commit);
    const std::string expected = "AB\x1B$B\x46\x7C\x4B\x5C"; // kanji in, then 日本 in JIS
    EXPECT_EQ(Bytes(), std::vector<Byte>(expected.begin(), expected.end()));
    EXPECT_EQ(Core().CaretAddress(), static_cast<Address>(expected.size()));
}

TEST_F(Input, AnInputMethodResultLongerThanOneRequestIsTakenWhole) {
    QTest::keyClick(&View(), Qt::Key_Tab);
    QInputMethodEvent commit;
    commit.setCommitString(QString(300, QChar(0x65E5))); // 300 x "日", 600 Shift JIS bytes
    QApplication::sendEvent(&View(), &commit);
    EXPECT_EQ(Bytes().size(), 600u);
    // One request per piece of at most 500 bytes: two undo steps bring the file back.
    Core().ExecuteCommand(cmd::UNDO);
    EXPECT_EQ(Bytes().size(), 500u);
}

// Characters Shift JIS lacks reach the Unicode sets, and a long result is cut into pieces the
// size of its UTF-8, so that none is cut short.
TEST_F(Input, UnicodeSetsTakeEveryTypedCharacter) {
    QTest::keyClick(&View(), Qt::Key_Tab);
    Core().SetCharaSet(CharaSet::Utf16Le);
    QTest::keyClicks(&View(), "A");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\u00E9\U0001F600"));
    QApplication::sendEvent(&View(), &commit);
    EXPECT_EQ(Bytes(), (std::vector<Byte>{0x41, 0x00, 0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE}));

    Core().SetCharaSet(CharaSet::Utf8);
    commit.setCommitString(QString(300, QChar(0x65E5))); // 900 UTF-8 bytes
    QApplication::sendEvent(&View(), &commit);
    EXPECT_EQ(Bytes().size(), 8u + 900u);
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

TEST_F(Input, MouseWheelAndScrollBar) {
    Load(std::vector<Byte>(16 * 100, 0));
    Click(CharCell(40));
    EXPECT_EQ(Core().CaretAddress(), 40);
    EXPECT_EQ(Core().InputArea(), TInputArea::Character);
    Click(HexCell(52), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(Core().Selection().Start, 40);
    EXPECT_EQ(Core().Selection().End, 52);
    EXPECT_EQ(Core().InputArea(), TInputArea::Hex);

    // The scroll bar and the wheel scroll without moving the caret's row.
    Click(HexCell(16 * 2 + 3));
    QScrollBar* bar = View().verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 100);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QWheelEvent wheel(QPointF(50, 50), Viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
    EXPECT_EQ(Core().TopLine(), 1 + QApplication::wheelScrollLines());
    EXPECT_EQ(Core().CaretRow(), 2);
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
