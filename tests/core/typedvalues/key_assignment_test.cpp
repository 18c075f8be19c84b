#include "core/typedvalues/key_assignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
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

// How many keys are bound, in any state.
int BoundKeys(const TKeyAssignment& a) {
    int bound = 0;
    for (ModifierState state = 0; state < ModifierStateCount; ++state)
        for (KeyIndex key = 0; key < KeyCount; ++key)
            bound += a.Key(state, key) != NoCommand;
    return bound;
}

// Representative bindings of both templates, and how many there are; Alt states stay free.
TEST(TKeyAssignment, Templates) {
    const std::tuple<TKeyAssignment, ModifierState, std::string_view, std::string_view> cases[] = {
        {Windows(), Plain, "{F1}", "HELP"},       {Windows(), Shift, "{F10}", "POPUPMENU"},
        {Windows(), Ctrl, "{,}", "BITROLLL"},     {Windows(), CtrlShift, "{F7}", "PROBE"},
        {Dos(), Plain, "{F2}", "SELECTFILEMENU"}, {Dos(), CtrlShift, "{F1}", "SAVE"}};
    for (const auto& [assignment, state, key, command] : cases)
        EXPECT_EQ(assignment.Key(state, KeyOf(key)), Id(command)) << state << key;
    EXPECT_EQ(Windows().Key(Plain, KeyOf("{F6}")), NoCommand);
    EXPECT_EQ(BoundKeys(Windows()), 96);
    EXPECT_EQ(BoundKeys(Dos()), 80);
    for (const TKeyAssignment& a : {Windows(), Dos()}) {
        EXPECT_EQ(a.UserMenu(0, 0), Id("SELECTALL"));
        EXPECT_EQ(a.UserMenu(0, 25), Id("UNDO"));
        EXPECT_EQ(a.UserMenu(0, 1), NoCommand);
        EXPECT_EQ(a.UserMenu(1, 0), NoCommand);
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
