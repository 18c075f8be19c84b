#include "core/binaryview/editor_core.h"
#include "core/typedvalues/command_ids.h"

#include "support/scripted_editor_host.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

using namespace cmd;

class Navigation : public testing::Test {
protected:
    void Open(std::size_t size, std::int32_t visibleLines = 4) {
        test::Append(editor.Module(), test::Sequence(size));
        editor.SetVisibleLines(visibleLines);
        editor.SetCaret({0, 0});
    }
    void Run(std::initializer_list<CommandId> commands) {
        for (CommandId c : commands) editor.ExecuteCommand(c);
    }
    TCaretState Caret() const { return editor.Caret(); }
    std::pair<Address, Address> Range() const {
        const TSelection s = editor.Selection();
        return {s.Start, s.End};
    }

    test::TScriptedEditorHost host;
    TEditorCore editor{host};
};

TEST_F(Navigation, LinesAndTheEofCell) {
    Open(20);
    editor.SetCaret({3, 0});
    Run({DOWN});
    EXPECT_EQ(Caret().Address, 19);
    Run({DOWN});
    EXPECT_EQ(Caret().Address, 19) << "the caret is on the last line";
    Run({FILEEND});
    EXPECT_EQ(Caret().Address, 20);
    Run({RIGHT});
    EXPECT_EQ(Caret().Address, 20);
    Run({PARATOP, PARAEND});
    EXPECT_EQ(Caret().Address, 20) << "the last, partial line ends at the EOF cell";
    Run({UP, UP});
    EXPECT_EQ(Caret().Address, 4);
}

TEST_F(Navigation, NibbleSteps) {
    Open(20);
    editor.SetCaret({5, 0});
    Run({RIGHTEX});
    EXPECT_EQ(Caret(), (TCaretState{5, 1}));
    Run({RIGHTEX});
    EXPECT_EQ(Caret(), (TCaretState{6, 0}));
    Run({LEFTEX});
    EXPECT_EQ(Caret(), (TCaretState{5, 1}));
    editor.SetCaret({0, 0});
    Run({LEFTEX});
    EXPECT_EQ(Caret(), (TCaretState{0, 0}));
    Run({INPUTAREA, RIGHTEX});
    EXPECT_EQ(Caret(), (TCaretState{1, 0})) << "whole bytes in the character area";
}

TEST_F(Navigation, FixedAndTemporarySelections) {
    Open(20);
    Run({SELECT, RIGHT, RIGHT, RIGHT});
    EXPECT_EQ(Range(), (std::pair<Address, Address>{0, 3}));
    Run({LEFT});
    EXPECT_EQ(Range(), (std::pair<Address, Address>{0, 2}));
    Run({SELECT});
    EXPECT_TRUE(editor.Selection().Empty());
    EXPECT_EQ(editor.Selection().State, TSelectionState::None);

    Run({RIGHTSEL, RIGHTSEL});
    EXPECT_EQ(Range(), (std::pair<Address, Address>{2, 4}));
    Run({RIGHT});
    EXPECT_EQ(editor.Selection().State, TSelectionState::None);
    EXPECT_EQ(Caret().Address, 5);

    Run({SELECTALL});
    EXPECT_EQ(Range(), (std::pair<Address, Address>{0, 20}));
    Run({SELECTSWAP});
    EXPECT_EQ(Caret().Address, 0);
    EXPECT_EQ(Range(), (std::pair<Address, Address>{0, 20}));
}

TEST_F(Navigation, SelectionsNeverReachPastShrunkenData) {
    Open(20);
    editor.SetCaret({18, 0});
    Run({SELECT});
    editor.Module().DeleteBytes(0, 15);
    editor.SetCaret({2, 0});
    EXPECT_EQ(Range(), (std::pair<Address, Address>{2, 5}));
}

TEST_F(Navigation, ClicksAndShiftClicks) {
    Open(64);
    editor.MouseDown(TMouseButton::Left, 10, TInputArea::Hex, false);
    editor.MouseUp();
    EXPECT_TRUE(editor.Selection().Empty());
    EXPECT_EQ(editor.Selection().State, TSelectionState::None);
    editor.MouseDown(TMouseButton::Left, 30, TInputArea::Character, true);
    editor.MouseUp();
    EXPECT_EQ(Range(), (std::pair<Address, Address>{10, 30}));
    EXPECT_EQ(editor.InputArea(), TInputArea::Character);
    editor.MouseDown(TMouseButton::Right, 20, TInputArea::Hex, false);
    EXPECT_EQ(Range(), (std::pair<Address, Address>{10, 30})) << "inside the selection it stays";
    editor.MouseDown(TMouseButton::Right, 40, TInputArea::Hex, false);
    EXPECT_EQ(editor.Selection().State, TSelectionState::None);
    EXPECT_EQ(Caret().Address, 40);
}

TEST_F(Navigation, DraggingPastTheEdgesScrollsOneLineAtATime) {
    Open(256, 4);
    editor.SetCaret({16 * 5 + 3, 0}); // top line 2, row 3
    ASSERT_EQ(editor.TopLine(), 2);
    editor.MouseDown(TMouseButton::Left, 16 * 5 + 3, TInputArea::Hex, false);
    editor.DragTo(4, 7); // below the view
    EXPECT_EQ(Caret().Address, 16 * 6 + 7);
    EXPECT_EQ(editor.TopLine(), 3);
    editor.DragTo(-1, 9); // above: the first byte of the line before the top
    EXPECT_EQ(Caret().Address, 16 * 2);
    editor.DragTo(1, 99); // right of the columns: column 15
    EXPECT_EQ(Caret().Address, 16 * 3 + 15);
    editor.MouseUp();
    EXPECT_EQ(Range(), (std::pair<Address, Address>{16 * 3 + 15, 16 * 5 + 3}));
}

TEST_F(Navigation, PagesKeepTheCaretRowAndStopAtTheEnds) {
    Open(16 * 10 + 4, 4); // lines 0-10
    editor.SetCaret({16 * 1 + 2, 0});
    Run({PAGEDOWN});
    EXPECT_EQ(editor.TopLine(), 4);
    EXPECT_EQ(Caret().Address, 16 * 5 + 2);
    Run({PAGEDOWN, PAGEDOWN});
    EXPECT_EQ(Caret().Address, 16 * 10 + 2);
    Run({PAGEUP});
    EXPECT_EQ(editor.TopLine(), 4);
    EXPECT_EQ(Caret().Address, 16 * 6 + 2) << "the row is kept";
    Run({PAGEUP, PAGEUP, PAGEUP});
    EXPECT_EQ(editor.TopLine(), 0);
    EXPECT_EQ(Caret().Address, 2);
}

TEST_F(Navigation, RepeatedMovesRunWhileTheModifiersStayHeld) {
    Open(256, 4);
    host.Modifiers = 1;
    host.ModifierScript = {1, 1, 0}; // released after the third step
    Run({DOWNHIGH});
    EXPECT_EQ(Caret().Address, 48);
    EXPECT_EQ(host.EventsHandled, 3);

    host.ModifierScript.clear();
    host.Modifiers = 0;
    Run({FILEEND, LEFTHIGH});
    EXPECT_EQ(Caret().Address, 0) << "stops at the edge";
}

TEST_F(Navigation, CommandsRoutedToTheWindowAndToMenus) {
    Open(16);
    std::vector<CommandId> forWindow, menus;
    editor.OnCommand = [&](CommandId c) { forWindow.push_back(c); };
    editor.OnPostMenu = [&](CommandId c) { menus.push_back(c); };
    Run({SAVE, USERMENU3, POPUPMENU, NoCommand});
    EXPECT_EQ(forWindow, (std::vector<CommandId>{SAVE}));
    EXPECT_EQ(menus, (std::vector<CommandId>{USERMENU3, POPUPMENU}));

    EXPECT_TRUE(editor.KeyDown({2, 0x23, false})); // Ctrl+End: FILEEND
    EXPECT_EQ(Caret().Address, 16);
    EXPECT_FALSE(editor.KeyDown({4, 0x46, false})) << "Alt goes to the menu bar";
    EXPECT_FALSE(editor.KeyDown({0, 0x41, false})) << "A plain letter is typed, not a command";
}

TEST_F(Navigation, TenKeyTypesHexDigitsOnlyInTheHexAreaWithoutModifiers) {
    Open(2);
    editor.KeyDown({0, 0x6F, false}); // keypad '/': A
    EXPECT_EQ(Caret(), (TCaretState{0, 1}));
    EXPECT_EQ(test::Contents(editor.Module())[0], 0xA0);
}

TEST_F(Navigation, MovesEndPackedTypingRunsButSelectTopDoesNot) {
    Open(16);
    const auto group = editor.History().Group();
    Run({SELECTTOP, INPUTMODE});
    EXPECT_EQ(editor.History().Group(), group);
    Run({RIGHT});
    EXPECT_EQ(editor.History().Group(), group + 1);
    Run({LEFT, LEFT});
    EXPECT_EQ(editor.History().Group(), group + 2) << "a move at the edge does nothing";
}

TEST_F(Navigation, ScrollingKeepsTheRowAndPullsBackToTheEnd) {
    Open(16 * 8 + 3, 4);
    editor.SetCaret({16 * 2 + 5, 1});
    editor.ScrollLines(1);
    EXPECT_EQ(editor.TopLine(), 1);
    EXPECT_EQ(Caret(), (TCaretState{16 * 3 + 5, 1}));
    editor.ScrollTo(8);
    EXPECT_EQ(Caret().Address, 16 * 8 + 3) << "pulled back to the EOF cell";
    editor.ScrollTo(9);
    EXPECT_EQ(editor.TopLine(), 8) << "past the last line is ignored";
}

TEST_F(Navigation, ViewPositionRoundTripAndClamping) {
    Open(300, 4);
    editor.SetCaret({100, 1});
    const TViewPosition kept = editor.ViewPosition();
    editor.SetCaret({0, 0});
    editor.SetViewPosition(kept);
    EXPECT_EQ(editor.ViewPosition(), kept);
    editor.SetViewPosition({1000, 50, 99, 1, 7});
    EXPECT_EQ(Caret().Address, 300);
    EXPECT_EQ(editor.InputArea(), TInputArea::Hex);
}

TEST_F(Navigation, PeekAtTheCaret) {
    Open(6);
    editor.SetCaret({4, 0});
    const TCaretPeek peek = editor.PeekCaret();
    EXPECT_EQ(peek.Count, 2);
    EXPECT_EQ(peek.Bytes, (std::array<Byte, 4>{4, 5, 0, 0}));
}

} // namespace
} // namespace mv
