#include "core/typedvalues/key_assignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>

namespace mv {
namespace {

constexpr ModifierState Plain = 0, Shift = 1, Ctrl = 2, CtrlShift = 3, Alt = 4, AltCtrlShift = 7;

KeyIndex KeyOf(std::string_view name) {
    const auto at = std::ranges::find(KeyNames(), name);
    EXPECT_NE(at, KeyNames().end()) << name;
    return static_cast<KeyIndex>(at - KeyNames().begin());
}

CommandId Id(std::string_view name) {
    const CommandId id = CommandIdOf(name);
    EXPECT_NE(id, NoCommand) << name;
    return id;
}

TKeyAssignment Windows() {
    return TKeyAssignment::Template(TKeyAssignType::WindowsStandard);
}
TKeyAssignment Dos() {
    return TKeyAssignment::Template(TKeyAssignType::DosStandard);
}

TEST(KeyIndexOfVirtualKey, MapsTheWindowsCodes) {
    // The edges of each range, the extended flag, and unmapped codes; empty: no key index.
    const std::tuple<std::uint8_t, bool, std::string_view> cases[] = {
        {0x30, false, "{0}"},     {0x5A, false, "{Z}"},        {0x7E, false, "{F15}"},
        {0x7F, false, ""},        {0x0D, false, "{Enter}"},    {0x0D, true, "{Enter(NumPad)}"},
        {0x2E, true, "{Delete}"}, {0x6F, true, "{/(NumPad)}"}, {0x92, false, "{=(NumPad)}"},
        {0xFF, true, ""}};
    for (const auto& [vk, extended, key] : cases)
        EXPECT_EQ(KeyIndexOfVirtualKey(vk, extended), key.empty() ? -1 : KeyOf(key))
            << std::hex << int{vk} << ' ' << extended;

    // Every key but Pause and keypad Enter has exactly one code.
    std::array<int, KeyCount> codes{};
    for (int vk = 0; vk < 256; ++vk)
        if (const KeyIndex key = KeyIndexOfVirtualKey(static_cast<std::uint8_t>(vk), false);
            key >= 0)
            ++codes[static_cast<std::size_t>(key)];
    for (KeyIndex key = 0; key < KeyCount; ++key) {
        const bool unreachable = key == KeyOf("{Pause}") || key == KeyOf("{Enter(NumPad)}");
        EXPECT_EQ(codes[static_cast<std::size_t>(key)], unreachable ? 0 : 1) << KeyNames()[key];
    }
}

// A template as written down for its users: per modifier state (none, Shift, Ctrl,
// Ctrl+Shift) words "key=COMMAND", the key named without its braces.
struct TTemplateText {
    TKeyAssignType Type;
    std::array<std::string_view, 4> States;
};
const TTemplateText TemplateTexts[] = {
    {TKeyAssignType::WindowsStandard,
     {"F1=HELP F2=LUMPSETTING F3=SEARCH F4=REPLACE F5=ADDRESSJUMP F8=SELECT F9=WINDOWLIST "
      "F10=MENU F11=OPEN F12=SAVE Esc=USERMENU1 Tab=INPUTAREA Insert=INPUTMODE Delete=DELETE "
      "BackSpace=BACKSPACE PageUp=PAGEUP PageDown=PAGEDOWN Home=PARATOP End=PARAEND Up=UP "
      "Down=DOWN Left=LEFT Right=RIGHT Application=POPUPMENU",
      "F1=INPUTMENU F2=BITOPEMENU F3=BYTEOPEMENU F4=INTOPEMENU F5=COMPAREFILE F6=COMPAREWINDOW "
      "F7=COMPAREPRESENT F8=COMPAREQUIT F9=WINDOWNEXT F10=POPUPMENU Insert=PASTE Delete=CUT "
      "PageUp=PAGEUPSEL PageDown=PAGEDOWNSEL Home=PARATOPSEL End=PARAENDSEL Up=UPSEL "
      "Down=DOWNSEL Left=LEFTSEL Right=RIGHTSEL",
      "A=SELECTALL C=COPY E=SAVECLOSE F=SEARCH N=NEW O=OPEN Q=CLOSE R=REPLACE S=SAVE V=PASTE "
      "X=CUT Y=REDO Z=UNDO ,=BITROLLL .=BITROLLR F1=FILEMENU F2=EDITMENU F3=SEARCHMENU "
      "F4=VIEWMENU F5=COMPAREMENU F6=WINDOWMENU F7=TOOLMENU F8=HELPMENU Insert=COPY "
      "PageUp=SEARCHPREV PageDown=SEARCHNEXT Home=FILETOP End=FILEEND Left=LEFTEX Right=RIGHTEX",
      "E=ALLSAVECLOSE Q=ALLCLOSE S=ALLSAVE ,=BYTEROLLL .=BYTEROLLR F1=OPTION F2=CHARASET "
      "F3=CHECKSUM F4=EXPANDTENKEY F5=FILER F6=RELATIVEJUMP F9=HISTORYFLUSH F10=GARBAGE "
      "F11=WEBPAGECS F12=WEBPAGE PageUp=COMPAREPREV PageDown=COMPARENEXT Home=FILETOPSEL "
      "End=FILEENDSEL Left=LEFTEXSEL Right=RIGHTEXSEL"}},
    {TKeyAssignType::DosStandard,
     {"F1=FILEMENU F2=SELECTFILEMENU F3=COMPAREMENU F4=INPUTMENU F5=SEARCH F6=SELECT F7=CUT "
      "F8=COPYSEL F9=PASTE F10=ADDRESSJUMP Esc=USERMENU1 Tab=INPUTAREA Insert=INPUTMODE "
      "Delete=DELETE BackSpace=BACKSPACE PageUp=PAGEUP PageDown=PAGEDOWN Home=FILETOP End=HELP "
      "Up=UP Down=DOWN Left=LEFT Right=RIGHT Application=POPUPMENU",
      "F1=OPTION F2=LUMPSETTING F3=REPLACE F4=SEARCHPREV F5=SEARCHNEXT F7=DELETE F10=GARBAGE "
      "Insert=PASTE Delete=CUT PageUp=PAGEUPHIGH PageDown=PAGEDOWNHIGH Home=FILEEND Up=UPHIGH "
      "Down=DOWNHIGH Left=LEFTHIGH Right=RIGHTHIGH",
      "A=SELECTALL C=COPY E=SAVECLOSE F=SEARCH N=NEW O=OPEN Q=CLOSE R=REPLACE S=SAVE V=PASTE "
      "X=CUT Y=REDO Z=UNDO ,=BITROLLL .=BITROLLR F3=SELECTSWAP F4=SELECTTOP F5=SELECTEND "
      "F6=CHARASET F8=CHECKSUM F10=EXPANDTENKEY PageUp=SEARCHPREV PageDown=SEARCHNEXT "
      "Left=LEFTEX Right=RIGHTEX",
      "E=ALLSAVECLOSE Q=ALLCLOSE S=ALLSAVE ,=BYTEROLLL .=BYTEROLLR F1=SAVE F3=ALLSAVE F4=OPEN "
      "F5=SAVEANOTHER F6=SAVEREPRODUCT F7=SAVECLOSE F8=ALLSAVECLOSE F9=CLOSE PageUp=COMPAREPREV "
      "PageDown=COMPARENEXT"}},
};
// Both templates' user menu 1, by letter.
constexpr std::string_view UserMenu1Text = "A=SELECTALL C=COPY E=SAVECLOSE F=SEARCH N=NEW O=OPEN "
                                           "Q=CLOSE R=REPLACE S=SAVE V=PASTE X=CUT Y=REDO Z=UNDO";

// The "key=COMMAND" words of a text as (key, command id).
std::vector<std::pair<std::string, CommandId>> Bindings(std::string_view text) {
    std::vector<std::pair<std::string, CommandId>> bindings;
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        bindings.emplace_back(word.substr(0, equals), Id(word.substr(equals + 1)));
    }
    return bindings;
}

// Every entry of both templates, the unbound ones included; any other type is empty.
TEST(TKeyAssignment, TemplatesBindingByBinding) {
    for (const TTemplateText& text : TemplateTexts) {
        TKeyAssignment expected;
        for (ModifierState state = 0; state < 4; ++state)
            for (const auto& [key, command] : Bindings(text.States[state]))
                expected.SetKey(state, KeyOf("{" + key + "}"), command);
        for (const auto& [letter, command] : Bindings(UserMenu1Text))
            expected.SetUserMenu(0, letter[0] - 'A', command);

        const TKeyAssignment actual = TKeyAssignment::Template(text.Type);
        for (ModifierState state = 0; state < ModifierStateCount; ++state)
            for (KeyIndex key = 0; key < KeyCount; ++key)
                EXPECT_EQ(actual.Key(state, key), expected.Key(state, key))
                    << static_cast<int>(text.Type) << ' ' << ShiftNames()[state] << KeyNames()[key];
        for (int menu = 0; menu < UserMenuCount; ++menu)
            for (int letter = 0; letter < UserMenuLetters; ++letter)
                EXPECT_EQ(actual.UserMenu(menu, letter), expected.UserMenu(menu, letter))
                    << static_cast<int>(text.Type) << " menu " << menu << ' ' << letter;
    }
    EXPECT_EQ(TKeyAssignment::Template(TKeyAssignType::UserDefined), TKeyAssignment());
}

TEST(TKeyAssignment, OutOfRangeAccessChangesNothing) {
    TKeyAssignment a;
    a.SetKey(ModifierStateCount, 0, 1);
    a.SetKey(-1, 0, 1);
    a.SetKey(0, KeyCount, 1);
    a.SetUserMenu(UserMenuCount, 0, 1);
    a.SetUserMenu(0, UserMenuLetters, 1);
    a.SetUserMenu(-1, 0, 1);
    EXPECT_EQ(a, TKeyAssignment());
    EXPECT_EQ(Windows().Key(ModifierStateCount, KeyOf("{A}")), NoCommand);
}

TEST(StoredKeyAssignment, WrittenInStateThenKeyOrderAndReadBack) {
    TKeyAssignment a;
    a.SetKey(Plain, KeyOf("{Pause}"), Id("HELP"));
    a.SetKey(Shift, KeyOf("{0}"), Id("GARBAGE"));
    a.SetKey(CtrlShift, KeyOf("{Space}"), Id("SELECTSWAP"));
    a.SetKey(Ctrl, KeyOf("{Application}"), Id("VERSION"));
    a.SetKey(AltCtrlShift, KeyOf("{F12}"), Id("SAVE"));
    a.SetUserMenu(3, 3, Id("COPY"));
    a.SetUserMenu(4, 25, Id("USERMENU5"));
    for (const TKeyAssignment& original : {a, Windows(), Dos()}) {
        TKeyAssignment b;
        LoadStoredKeyTable(b, StoredKeyTable(original));
        for (int menu = 0; menu < UserMenuCount; ++menu)
            LoadStoredUserMenu(b, menu, StoredUserMenu(original, menu));
        EXPECT_EQ(b, original);
    }

    // Keypad keys are not stored, and a number outside the command table has no name.
    a.SetKey(Alt, KeyOf("{A}"), Id("SAVE"));
    a.SetKey(Ctrl, KeyOf("{1(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{Enter(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{B}"), 12345);
    a.SetUserMenu(3, 1, 12345);
    const std::vector<TStoredValue> keys = {{"{Pause}", "HELP"},
                                            {"Shift+{0}", "GARBAGE"},
                                            {"Ctrl+{Application}", "VERSION"},
                                            {"Ctrl+Shift+{Space}", "SELECTSWAP"},
                                            {"Alt+{A}", "SAVE"},
                                            {"Alt+Ctrl+Shift+{F12}", "SAVE"}};
    EXPECT_EQ(StoredKeyTable(a), keys);
    EXPECT_EQ(StoredUserMenu(a, 3), (std::vector<TStoredValue>{{"{D}", "COPY"}}));
    EXPECT_TRUE(StoredUserMenu(a, UserMenuCount).empty());
}

// A prefix that names no modifier counts as none; any other fault in a name drops the entry,
// an unknown command stores "no command" over an earlier entry, and Alt states are kept.
TEST(StoredKeyAssignment, KeyTableNameRules) {
    TKeyAssignment plainA;
    plainA.SetKey(Plain, KeyOf("{A}"), Id("SAVE"));
    const std::pair<std::string, bool> names[] = {
        {"\x82\xA0{A}", true},
        {std::string(1 << 20, 'x') + "{A}", true},
        {"Over+{A}", false},
        {"Ctrl+A", false},
        {"Ctrl+{A}{B}", false},
        {"Ctrl+{\x82\x60}", false},
        {std::string("Ctrl+{A}\0", 9), false},
        {std::string(1 << 20, '{'), false},
    };
    for (const auto& [name, loads] : names) {
        TKeyAssignment loaded;
        LoadStoredKeyTable(loaded, {{name, "SAVE"}});
        EXPECT_EQ(loaded, loads ? plainA : TKeyAssignment()) << name.substr(0, 40);
    }

    TKeyAssignment a;
    LoadStoredKeyTable(a, {{"Ctrl+{A}", "SAVE"},
                           {"CTRL+SHIFT+{PAGEUP}", "CompareNext"},
                           {"ctrl+{a}", std::string("SAVE\0", 5)},
                           {"alt+{b}", "HELP"},
                           {"Alt+Ctrl+Shift+{F1}", "OPEN"}});
    EXPECT_EQ(a.Key(Ctrl, KeyOf("{A}")), NoCommand);
    EXPECT_EQ(a.Key(CtrlShift, KeyOf("{PageUp}")), Id("COMPARENEXT"));
    EXPECT_EQ(a.Key(Alt, KeyOf("{B}")), Id("HELP"));
    EXPECT_EQ(a.Key(AltCtrlShift, KeyOf("{F1}")), Id("OPEN"));
}

// Menus take only letters; an unknown command clears the letter.
TEST(StoredKeyAssignment, UserMenuNames) {
    const std::vector<TStoredValue> values = {
        {"{a}", "undo"}, {"{Z}", "REDO"},  {"{C}", "COPY"},      {"{c}", "bogus"},
        {"{0}", "SAVE"}, {"{F1}", "SAVE"}, {"Ctrl+{B}", "SAVE"}, {"{A}{B}", "SAVE"}};
    TKeyAssignment menu;
    LoadStoredUserMenu(menu, 2, values);
    LoadStoredUserMenu(menu, UserMenuCount, values);
    TKeyAssignment wanted;
    wanted.SetUserMenu(2, 0, Id("UNDO"));
    wanted.SetUserMenu(2, 25, Id("REDO"));
    EXPECT_EQ(menu, wanted);
}

TEST(ResolveKey, ExpandedTenKeyAndLookup) {
    TKeyAssignment a = Windows();
    a.SetKey(Plain, KeyOf("{Enter(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{/(NumPad)}"), Id("NEW"));
    a.SetKey(Ctrl, KeyOf("{/(NumPad)}"), Id("HELP"));
    const TKeyContext off{false, true, false};
    const TKeyContext ordinary{true, true, false};
    const TKeyContext special{true, true, true};
    const TKeyContext characterArea{true, false, false};
    // The digit typed ("A" to "F") or the command run; empty: neither.
    const std::tuple<TKeyPress, TKeyContext, std::string_view> cases[] = {
        {{Plain, 0x0D, true}, off, "SAVE"},     {{Plain, 0x6F, true}, ordinary, "A"},
        {{Plain, 0x0D, false}, special, "D"},   {{Plain, 0x6F, true}, special, "NEW"},
        {{Ctrl, 0x6F, true}, ordinary, "HELP"}, {{Plain, 0x6F, true}, characterArea, "NEW"},
        {{9, 0x43, false}, ordinary, ""}};
    for (const auto& [press, context, expected] : cases) {
        const TKeyResolution r = ResolveKey(a, press, context);
        const TCommandEntry* entry = CommandEntryOf(r.Command);
        const std::string got = r.HexDigit
                                    ? std::string(1, static_cast<char>('A' + *r.HexDigit - 10))
                                : entry ? std::string(entry->Name)
                                        : "";
        EXPECT_EQ(got, expected) << press.State << " vk " << int{press.VirtualKey};
    }
    // Under the MS-DOS template End asks for help and Home goes to the top of the file.
    EXPECT_EQ(ResolveKey(Dos(), {Plain, 0x23, false}, off).Command, Id("HELP"));
    EXPECT_EQ(ResolveKey(Dos(), {Plain, 0x24, false}, off).Command, Id("FILETOP"));
}

TEST(ShortcutOf, NonAlphanumericKeysFirstThenStatesInOrder) {
    TKeyAssignment custom;
    custom.SetKey(Plain, KeyOf("{A}"), Id("SAVE"));
    custom.SetKey(7, KeyOf("{-}"), Id("SAVE"));
    custom.SetKey(CtrlShift, KeyOf("{F1}"), Id("OPEN"));
    custom.SetKey(Shift, KeyOf("{F1}"), Id("OPEN"));
    custom.SetKey(Plain, KeyOf("{Application}"), Id("HELP"));
    custom.SetKey(CtrlShift, KeyOf("{-}"), Id("HELP"));
    const std::tuple<TKeyAssignment, std::string_view, std::string_view> cases[] = {
        {Windows(), "COPY", "Ctrl+Insert"},   {Windows(), "VERSION", ""},
        {Dos(), "DELETE", "Shift+F7"}, // F7 comes before Delete whatever the states
        {custom, "SAVE", "Alt+Ctrl+Shift+-"}, {custom, "OPEN", "Shift+F1"},
        {custom, "HELP", "Ctrl+Shift+-"}};
    for (const auto& [assignment, command, text] : cases) {
        const auto shortcut = ShortcutOf(assignment, Id(command));
        EXPECT_EQ(shortcut ? ShortcutText(*shortcut) : "", text) << command;
    }
    // Searching for "no command" must not find the first unassigned key.
    EXPECT_EQ(ShortcutOf(TKeyAssignment(), NoCommand), std::nullopt);
    EXPECT_EQ(ShortcutText({Ctrl, KeyOf("{\\}")}), "Ctrl+\\");
    EXPECT_EQ(ShortcutText({ModifierStateCount, KeyOf("{A}")}), "");
    EXPECT_EQ(ShortcutText({Plain, KeyCount}), "");
}

TEST(UserMenuItems, CaptionsCommandsAndEnabling) {
    TKeyAssignment a = Windows();
    a.SetUserMenu(0, 1, 12345); // a number outside the table runs nothing
    const std::vector<TUserMenuItem> items = UserMenuItems(a, 0);
    ASSERT_EQ(items.size(), 26u);
    EXPECT_EQ(items[0].Caption, "ファイル全体を範囲選択(&A)");
    EXPECT_EQ(items[1].Caption, "(未定義)");
    EXPECT_EQ(std::ranges::count_if(items, &TUserMenuItem::Enabled), 13);
    EXPECT_TRUE(UserMenuItems(a, UserMenuCount).empty());
}

} // namespace
} // namespace mv
