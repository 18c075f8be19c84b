#include "editor_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

using namespace cmd;
using Range = std::pair<Address, Address>;

// An editor over `size` counting bytes showing four lines of 16; the EOF cell is the caret
// position after the last byte.
class Navigation : public testing::Test {
protected:
    void Open(std::size_t size, TCaretState caret = {}) {
        test::Append(editor.Module(), test::Sequence(size));
        editor.SetVisibleLines(4);
        editor.SetCaret(caret);
    }
    void Run(const std::vector<CommandId>& commands) {
        for (CommandId c : commands)
            editor.ExecuteCommand(c);
    }
    Range Selected() const { return {editor.Selection().Start, editor.Selection().End}; }

    test::TScriptedEditorHost host;
    TEditorCore editor{host};
};

TEST_F(Navigation, MovesStopAtTheEdgesAndTheEofCell) {
    struct Case {
        std::size_t size;
        TCaretState from;
        std::vector<CommandId> commands;
        TCaretState to;
        std::int32_t topLine;
    };
    const Case cases[] = {
        {20, {19, 0}, {DOWN}, {19, 0}, 0},             // on the last line already
        {20, {20, 0}, {PARATOP, PARAEND}, {20, 0}, 0}, // the partial line ends at the EOF cell
        {20, {20, 0}, {UP, UP}, {4, 0}, 0},
        {20, {5, 0}, {RIGHTEX, RIGHTEX, LEFTEX}, {5, 1}, 0},
        {20, {0, 0}, {INPUTAREA, RIGHTEX}, {1, 0}, 0}, // whole bytes in the character area
        {164, {18, 0}, {PAGEDOWN, PAGEDOWN, PAGEDOWN, PAGEUP}, {16 * 6 + 2, 0}, 4},
        {164, {18, 0}, {PAGEDOWN, PAGEUP, PAGEUP}, {2, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " from " << c.from.Address);
        test::TEditorFixture f(test::Sequence(c.size));
        f.core.SetCaret(c.from);
        for (CommandId command : c.commands)
            f.core.ExecuteCommand(command);
        EXPECT_EQ(f.core.Caret(), c.to);
        EXPECT_EQ(f.core.TopLine(), c.topLine);
    }
}

TEST_F(Navigation, FixedAndTemporarySelections) {
    Open(20);
    Run({SELECT, RIGHT, RIGHT, RIGHT, LEFT});
    EXPECT_EQ(Selected(), (Range{0, 2}));
    editor.SetCaret({2, 0});
    Run({SELECT, RIGHTSEL, RIGHTSEL});
    EXPECT_EQ(Selected(), (Range{2, 4}));
    Run({RIGHT});
    EXPECT_EQ(editor.Selection().State, TSelectionState::None);
    EXPECT_EQ(editor.CaretAddress(), 5);
    Run({SELECTALL, SELECTSWAP});
    EXPECT_EQ(editor.CaretAddress(), 0);
    EXPECT_EQ(Selected(), (Range{0, 20}));
}

TEST_F(Navigation, ClicksAndDragsPastTheEdges) {
    Open(256);
    editor.MouseDown(TMouseButton::Left, 10, TInputArea::Hex, false);
    editor.MouseUp();
    editor.MouseDown(TMouseButton::Left, 30, TInputArea::Character, true);
    editor.MouseUp();
    EXPECT_EQ(Selected(), (Range{10, 30}));
    EXPECT_EQ(editor.InputArea(), TInputArea::Character);
    editor.MouseDown(TMouseButton::Right, 20, TInputArea::Hex, false);
    EXPECT_EQ(Selected(), (Range{10, 30})) << "a right click inside the selection keeps it";

    // Dragging past the edges scrolls one line at a time.
    editor.SetCaret({16 * 5 + 3, 0}); // top line 2, row 3
    editor.MouseDown(TMouseButton::Left, 16 * 5 + 3, TInputArea::Hex, false);
    editor.DragTo(4, 7); // below the view
    EXPECT_EQ(editor.CaretAddress(), 16 * 6 + 7);
    EXPECT_EQ(editor.TopLine(), 3);
    editor.DragTo(-1, 9); // above: the first byte of the line before the top
    EXPECT_EQ(editor.CaretAddress(), 16 * 2);
    editor.DragTo(1, 99); // right of the columns: column 15
    editor.MouseUp();
    EXPECT_EQ(Selected(), (Range{16 * 3 + 15, 16 * 5 + 3}));
}

TEST_F(Navigation, RepeatedMovesRunWhileTheModifiersStayHeld) {
    Open(256);
    host.Modifiers = 1;
    host.ModifierScript = {1, 1, 0}; // released after the third step
    Run({DOWNHIGH});
    EXPECT_EQ(editor.CaretAddress(), 48);
    host.ModifierScript.clear();
    host.Modifiers = 0;
    Run({FILEEND, LEFTHIGH});
    EXPECT_EQ(editor.CaretAddress(), 0) << "stops at the edge";
}

TEST_F(Navigation, KeysAndCommandsRoutedToTheWindowAndToMenus) {
    Open(16);
    std::vector<CommandId> forWindow, menus;
    editor.OnCommand = [&](CommandId c) { forWindow.push_back(c); };
    editor.OnPostMenu = [&](CommandId c) { menus.push_back(c); };
    Run({SAVE, USERMENU3, POPUPMENU, NoCommand});
    EXPECT_EQ(forWindow, (std::vector<CommandId>{SAVE}));
    EXPECT_EQ(menus, (std::vector<CommandId>{USERMENU3, POPUPMENU}));

    EXPECT_TRUE(editor.KeyDown({2, 0x23, false})); // Ctrl+End: FILEEND
    EXPECT_EQ(editor.CaretAddress(), 16);
    EXPECT_FALSE(editor.KeyDown({4, 0x46, false})) << "Alt goes to the menu bar";
    EXPECT_FALSE(editor.KeyDown({0, 0x41, false})) << "A plain letter is typed, not a command";
    editor.SetCaret({0, 0});
    editor.KeyDown({0, 0x6F, false}); // keypad '/' types the hex digit A
    EXPECT_EQ(test::Contents(editor.Module())[0], 0xA0);
}

TEST_F(Navigation, TheCharacterSetCommandStepsThroughEverySet) {
    editor.SetCharaSet(CharaSet::Euc);
    std::vector<CharaSet> sets;
    for (int i = 0; i < 4; ++i) {
        editor.ExecuteCommand(CHARASET);
        sets.push_back(editor.CharaSet());
    }
    EXPECT_EQ(sets,
              (std::vector{CharaSet::Utf8, CharaSet::Utf16Le, CharaSet::Utf16Be, CharaSet::Ascii}));
}

TEST_F(Navigation, ScrollingKeepsTheRowAndStaysInsideTheData) {
    Open(16 * 8 + 3, {16 * 2 + 5, 1});
    editor.ScrollLines(1);
    EXPECT_EQ(editor.Caret(), (TCaretState{16 * 3 + 5, 1}));
    editor.ScrollTo(8);
    EXPECT_EQ(editor.CaretAddress(), 16 * 8 + 3) << "pulled back to the EOF cell";
    editor.ScrollTo(9);
    EXPECT_EQ(editor.TopLine(), 8) << "past the last line is ignored";
    editor.SetViewPosition({1000, 50, 99, 1, 7});
    EXPECT_EQ(editor.CaretAddress(), 16 * 8 + 3);
    EXPECT_EQ(editor.InputArea(), TInputArea::Hex);
}

} // namespace
} // namespace mv
