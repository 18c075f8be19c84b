#include "core/typedvalues/key_assignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <tuple>

namespace mv {
namespace {

constexpr ModifierState Plain = 0, Shift = 1, Ctrl = 2, CtrlShift = 3, Alt = 4;

KeyIndex KeyOf(std::string_view name) {
    const auto& names = KeyNames();
    const auto at = std::find(names.begin(), names.end(), name);
    EXPECT_NE(at, names.end()) << name;
    return static_cast<KeyIndex>(at - names.begin());
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

TEST(KeyNames, PositionsAndNoTwoNamesEqualIgnoringCase) {
    const std::pair<KeyIndex, std::string_view> cases[] = {
        {10, "{A}"},
        {36, "{-}"},
        {47, "{F1}"},
        {62, "{Enter}"},
        {76, "{Pause}"},
        {78, "{0(NumPad)}"},
        {93, "{Enter(NumPad)}"},
        {96, "{Application}"},
    };
    for (const auto& [index, name] : cases)
        EXPECT_EQ(KeyNames()[static_cast<std::size_t>(index)], name) << index;

    // The loader matches names without regard to case, so a pair equal that way would shadow.
    std::set<std::string> folded;
    for (const std::string_view name : KeyNames()) {
        std::string lower(name);
        std::ranges::transform(lower, lower.begin(),
                               [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(folded.insert(lower).second) << name;
    }
}

TEST(KeyIndexOfVirtualKey, MapsTheWindowsCodes) {
    struct Case {
        std::uint8_t Vk;
        bool Extended;
        std::string_view Key; // empty: no key index
    };
    // The edges of each range, keys that Windows reports as extended, and unmapped codes.
    const Case cases[] = {{0x30, false, "{0}"},
                          {0x5A, false, "{Z}"},
                          {0xDC, false, "{\\}"},
                          {0xBE, false, "{.}"},
                          {0x7E, false, "{F15}"},
                          {0x7F, false, ""},
                          {0x0D, false, "{Enter}"},
                          {0x0D, true, "{Enter(NumPad)}"},
                          {0x2E, true, "{Delete}"},
                          {0x25, true, "{Left}"},
                          {0x60, false, "{0(NumPad)}"},
                          {0x6F, true, "{/(NumPad)}"},
                          {0x92, false, "{=(NumPad)}"},
                          {0x5D, true, "{Application}"},
                          {0x13, false, ""},
                          {0xFF, true, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(KeyIndexOfVirtualKey(c.Vk, c.Extended), c.Key.empty() ? -1 : KeyOf(c.Key))
            << std::hex << int{c.Vk} << ' ' << c.Extended;

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

TEST(TKeyAssignment, LayoutAndOutOfRangeAccess) {
    TKeyAssignment a;
    EXPECT_TRUE(std::ranges::all_of(a.Values(), [](CommandId v) { return v == NoCommand; }));
    a.SetKey(1, 2, 111);
    a.SetKey(7, 96, 222);
    a.SetUserMenu(2, 3, 333);
    a.SetUserMenu(4, 25, 444);
    EXPECT_EQ(a.Values()[1 * 97 + 2], 111);
    EXPECT_EQ(a.Values()[7 * 97 + 96], 222);
    EXPECT_EQ(a.Values()[8 * 97 + 2 * 26 + 3], 333);
    EXPECT_EQ(a.Values()[905], 444);

    const TKeyAssignment before = a;
    a.SetKey(8, 0, 1);
    a.SetKey(-1, 0, 1);
    a.SetKey(0, 97, 1);
    a.SetKey(0, -1, 1);
    a.SetUserMenu(5, 0, 1);
    a.SetUserMenu(0, 26, 1);
    a.SetUserMenu(-1, 0, 1);
    EXPECT_EQ(a, before);
    EXPECT_EQ(a.Key(8, 2), NoCommand);
    EXPECT_EQ(a.UserMenu(5, 3), NoCommand);
}

int Assigned(const TKeyAssignment& a, ModifierState state) {
    int n = 0;
    for (KeyIndex key = 0; key < KeyCount; ++key)
        n += a.Key(state, key) != NoCommand;
    return n;
}

int AssignedInMenu(const TKeyAssignment& a, int menu) {
    int n = 0;
    for (int letter = 0; letter < UserMenuLetters; ++letter)
        n += a.UserMenu(menu, letter) != NoCommand;
    return n;
}

// A misspelt key or command name in a template drops its entry, which the counts reveal.
TEST(KeyTemplates, EntryCountsPerStateAndMenu) {
    struct Case {
        TKeyAssignment Assignment;
        std::array<int, 4> PerState;
    };
    const Case cases[] = {{Windows(), {24, 20, 30, 21}}, {Dos(), {24, 16, 25, 15}}};
    for (const Case& c : cases) {
        for (ModifierState state = 0; state < ModifierStateCount; ++state)
            EXPECT_EQ(Assigned(c.Assignment, state), state < 4 ? c.PerState[state] : 0) << state;
        EXPECT_EQ(AssignedInMenu(c.Assignment, 0), 13);
        for (int menu = 1; menu < UserMenuCount; ++menu)
            EXPECT_EQ(AssignedInMenu(c.Assignment, menu), 0) << menu;
        for (const CommandId v : c.Assignment.Values())
            EXPECT_TRUE(v == NoCommand || CommandEntryOf(v) != nullptr) << v;
    }
    EXPECT_EQ(TKeyAssignment::Template(TKeyAssignType::UserDefined), TKeyAssignment());
}

TEST(KeyTemplates, UserMenuOneIsTheCtrlLetters) {
    for (const TKeyAssignment& a : {Windows(), Dos()}) {
        std::string letters;
        for (int letter = 0; letter < UserMenuLetters; ++letter) {
            EXPECT_EQ(a.UserMenu(0, letter), a.Key(Ctrl, KeyOf("{A}") + letter)) << letter;
            if (a.UserMenu(0, letter) != NoCommand) letters += static_cast<char>('A' + letter);
        }
        EXPECT_EQ(letters, "ACEFNOQRSVXYZ");
    }
}

TEST(KeyTemplates, SpotEntries) {
    struct Case {
        bool IsWindows;
        ModifierState State;
        std::string_view Key, Command;
    };
    const Case cases[] = {
        {true, Plain, "{Home}", "PARATOP"}, {true, Plain, "{Application}", "POPUPMENU"},
        {true, Ctrl, "{Insert}", "COPY"},   {true, CtrlShift, "{F12}", "WEBPAGE"},
        {false, Plain, "{End}", "HELP"},    {false, Plain, "{Home}", "FILETOP"},
        {false, Shift, "{F7}", "DELETE"},   {false, CtrlShift, "{F9}", "CLOSE"}};
    const TKeyAssignment windows = Windows();
    const TKeyAssignment dos = Dos();
    for (const Case& c : cases)
        EXPECT_EQ((c.IsWindows ? windows : dos).Key(c.State, KeyOf(c.Key)), Id(c.Command))
            << c.IsWindows << ' ' << c.State << c.Key;
    EXPECT_EQ(dos.Key(Plain, KeyOf("{F11}")), NoCommand);
    EXPECT_EQ(dos.Key(Ctrl, KeyOf("{Home}")), NoCommand);
}

TKeyAssignment RoundTrip(const TKeyAssignment& a) {
    TKeyAssignment b;
    LoadStoredKeyTable(b, StoredKeyTable(a));
    for (int menu = 0; menu < UserMenuCount; ++menu)
        LoadStoredUserMenu(b, menu, StoredUserMenu(a, menu));
    return b;
}

TKeyAssignment UserAssignment() {
    TKeyAssignment a;
    a.SetKey(Plain, KeyOf("{Pause}"), Id("HELP"));
    a.SetKey(Shift, KeyOf("{0}"), Id("GARBAGE"));
    a.SetKey(Ctrl, KeyOf("{\\}"), Id("FILER"));
    a.SetKey(CtrlShift, KeyOf("{Space}"), Id("SELECTSWAP"));
    a.SetKey(CtrlShift, KeyOf("{Application}"), Id("VERSION"));
    for (int menu = 0; menu < UserMenuCount; ++menu) {
        a.SetUserMenu(menu, menu, Id("COPY"));
        a.SetUserMenu(menu, 25 - menu, Id("USERMENU5"));
    }
    return a;
}

TEST(StoredKeyAssignment, RoundTripsTemplatesAndUserAssignments) {
    EXPECT_EQ(RoundTrip(Windows()), Windows());
    EXPECT_EQ(RoundTrip(Dos()), Dos());
    EXPECT_EQ(RoundTrip(UserAssignment()), UserAssignment());
}

TEST(StoredKeyAssignment, WrittenTextInStateThenKeyOrder) {
    const std::vector<TStoredValue> keys = {
        {"{Pause}", "HELP"},
        {"Shift+{0}", "GARBAGE"},
        {"Ctrl+{\\}", "FILER"},
        {"Ctrl+Shift+{Space}", "SELECTSWAP"},
        {"Ctrl+Shift+{Application}", "VERSION"},
    };
    EXPECT_EQ(StoredKeyTable(UserAssignment()), keys);
    const std::vector<TStoredValue> menu3 = {{"{D}", "COPY"}, {"{W}", "USERMENU5"}};
    EXPECT_EQ(StoredUserMenu(UserAssignment(), 3), menu3);
    EXPECT_TRUE(StoredUserMenu(UserAssignment(), 5).empty());
    EXPECT_TRUE(StoredUserMenu(UserAssignment(), -1).empty());
}

// Alt states and keypad keys cannot be assigned on the key page, and a number outside the
// command table has no name to store.
TEST(StoredKeyAssignment, WritesOnlyStorableEntries) {
    TKeyAssignment a;
    a.SetKey(Alt, KeyOf("{A}"), Id("SAVE"));
    a.SetKey(7, KeyOf("{F1}"), Id("SAVE"));
    a.SetKey(Ctrl, KeyOf("{1(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{Enter(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{B}"), 12345);
    a.SetUserMenu(0, 1, 12345);
    EXPECT_TRUE(StoredKeyTable(a).empty());
    EXPECT_TRUE(StoredUserMenu(a, 0).empty());
}

struct Entry {
    ModifierState State;
    std::string_view Key, Command;
};

// Loads one value into a cleared assignment and expects that entry alone, or nothing.
void ExpectKeyTableLoad(const TStoredValue& value, const std::optional<Entry>& expected) {
    TKeyAssignment loaded;
    LoadStoredKeyTable(loaded, {value});
    TKeyAssignment wanted;
    if (expected) wanted.SetKey(expected->State, KeyOf(expected->Key), Id(expected->Command));
    EXPECT_EQ(loaded, wanted) << '"' << value.first.substr(0, 40) << "\" = " << value.second;
}

TEST(StoredKeyAssignment, KeyTableNameRules) {
    const std::pair<TStoredValue, std::optional<Entry>> cases[] = {
        {{"shift+{f1}", "search"}, Entry{Shift, "{F1}", "SEARCH"}},
        {{"CTRL+SHIFT+{PAGEUP}", "CompareNext"}, Entry{CtrlShift, "{PageUp}", "COMPARENEXT"}},
        {{"Ctrl+{Pause}", "HELP"}, Entry{Ctrl, "{Pause}", "HELP"}},
        {{"Ctrl+{application}", "POPUPMENU"}, Entry{Ctrl, "{Application}", "POPUPMENU"}},
        {{"Hyper+{A}", "SAVE"}, Entry{Plain, "{A}", "SAVE"}},
        {{"Ctrl+Ctrl+{A}", "SAVE"}, Entry{Plain, "{A}", "SAVE"}},
        {{"\x82\xA0{A}", "SAVE"}, Entry{Plain, "{A}", "SAVE"}},
        {{std::string(1 << 20, 'x') + "{A}", "SAVE"}, Entry{Plain, "{A}", "SAVE"}},
        {{"Over+{A}", "SAVE"}, std::nullopt},
        {{"Alt+{A}", "SAVE"}, std::nullopt},
        {{"Ctrl+{1(NumPad)}", "SAVE"}, std::nullopt},
        {{"{Enter(NumPad)}", "SAVE"}, std::nullopt},
        {{"Ctrl+A", "SAVE"}, std::nullopt},
        {{"Ctrl+{A}{B}", "SAVE"}, std::nullopt},
        {{"Ctrl+{\x82\x60}", "SAVE"}, std::nullopt},
        {{std::string("Ctrl+{A}\0", 9), "SAVE"}, std::nullopt},
        {{"", "SAVE"}, std::nullopt},
        {{"{", "SAVE"}, std::nullopt},
        {{std::string(1 << 20, '{'), "SAVE"}, std::nullopt},
        {{"Ctrl+{A}", "NOSUCHCOMMAND"}, std::nullopt},
        {{"Ctrl+{A}", std::string("SAVE\0", 5)}, std::nullopt},
    };
    for (const auto& [value, expected] : cases)
        ExpectKeyTableLoad(value, expected);
}

TEST(StoredKeyAssignment, UnknownCommandStoresNoCommandOverAnEarlierEntry) {
    TKeyAssignment a;
    LoadStoredKeyTable(a, {{"Ctrl+{A}", "SAVE"}, {"{B}", "OPEN"}, {"ctrl+{a}", "NOSUCH"}});
    EXPECT_EQ(a.Key(Ctrl, KeyOf("{A}")), NoCommand);
    EXPECT_EQ(a.Key(Plain, KeyOf("{B}")), Id("OPEN"));

    LoadStoredUserMenu(a, 1, {{"{C}", "COPY"}, {"{c}", "bogus"}, {"{D}", "cut"}});
    EXPECT_EQ(a.UserMenu(1, 2), NoCommand);
    EXPECT_EQ(a.UserMenu(1, 3), Id("CUT"));
}

TEST(StoredKeyAssignment, UserMenuTakesOnlyLetters) {
    const std::vector<TStoredValue> values = {
        {"{a}", "undo"},      {"{Z}", "REDO"},           {"{0}", "SAVE"}, {"{F1}", "SAVE"},
        {"Ctrl+{B}", "SAVE"}, {"{Application}", "SAVE"}, {"A", "SAVE"},   {"{A}{B}", "SAVE"},
    };
    TKeyAssignment a;
    LoadStoredUserMenu(a, 2, values);
    TKeyAssignment wanted;
    wanted.SetUserMenu(2, 0, Id("UNDO"));
    wanted.SetUserMenu(2, 25, Id("REDO"));
    EXPECT_EQ(a, wanted);

    TKeyAssignment untouched;
    LoadStoredUserMenu(untouched, 5, values);
    LoadStoredUserMenu(untouched, -1, values);
    EXPECT_EQ(untouched, TKeyAssignment());
}

TEST(ResolveKey, ExpandedTenKeyAndLookup) {
    TKeyAssignment a = Windows();
    a.SetKey(Plain, KeyOf("{Enter(NumPad)}"), Id("SAVE"));
    a.SetKey(Plain, KeyOf("{Enter}"), Id("OPEN"));
    a.SetKey(Plain, KeyOf("{/(NumPad)}"), Id("NEW"));
    a.SetKey(Ctrl, KeyOf("{/(NumPad)}"), Id("HELP"));

    const TKeyContext off{false, true, false};
    const TKeyContext ordinary{true, true, false};
    const TKeyContext special{true, true, true};
    const TKeyContext characterArea{true, false, false};
    struct Case {
        ModifierState State;
        std::uint8_t Vk;
        bool Extended;
        TKeyContext Context;
        std::optional<int> Digit;
        std::string_view Command; // empty: NoCommand
    };
    const Case cases[] = {{Plain, 0x0D, true, off, {}, "SAVE"},
                          {Plain, 0x0D, false, off, {}, "OPEN"},
                          {Plain, 0x6F, true, ordinary, 10, ""},
                          {Plain, 0x6A, false, ordinary, 11, ""},
                          {Plain, 0x6D, false, ordinary, 12, ""},
                          {Plain, 0x6B, false, ordinary, 13, ""},
                          {Plain, 0x0D, true, ordinary, 14, ""},
                          {Plain, 0x6E, false, ordinary, 15, ""},
                          {Plain, 0x0D, false, ordinary, {}, "OPEN"},
                          {Plain, 0x92, false, ordinary, {}, ""},
                          {Plain, 0x6A, false, special, 10, ""},
                          {Plain, 0x6B, false, special, 11, ""},
                          {Plain, 0x92, false, special, 12, ""},
                          {Plain, 0x0D, false, special, 13, ""},
                          {Plain, 0x6E, false, special, 14, ""},
                          {Plain, 0x6C, false, special, 15, ""},
                          {Plain, 0x6F, true, special, {}, "NEW"},
                          {Plain, 0x0D, true, special, {}, "SAVE"},
                          {Ctrl, 0x6F, true, ordinary, {}, "HELP"},
                          {Shift, 0x6F, true, ordinary, {}, ""},
                          {Plain, 0x6F, true, characterArea, {}, "NEW"},
                          {Plain, 0x6F, true, off, {}, "NEW"},
                          {Plain, 0x60, false, ordinary, {}, ""},
                          {Ctrl, 0x43, false, ordinary, {}, "COPY"},
                          {CtrlShift, 0x21, true, ordinary, {}, "COMPAREPREV"},
                          {Alt, 0x43, false, ordinary, {}, ""},
                          {9, 0x43, false, ordinary, {}, ""},
                          {Plain, 0x13, false, ordinary, {}, ""}};
    for (const Case& c : cases) {
        const TKeyResolution r = ResolveKey(a, {c.State, c.Vk, c.Extended}, c.Context);
        const std::string where = std::to_string(c.State) + " vk " + std::to_string(c.Vk) +
                                  (c.Extended ? " ext" : "") +
                                  (c.Context.SpecialJapaneseKeyboard ? " special" : "");
        EXPECT_EQ(r.HexDigit, c.Digit) << where;
        EXPECT_EQ(r.Command, c.Command.empty() ? NoCommand : Id(c.Command)) << where;
    }
}

TEST(ShortcutOf, NonAlphanumericKeysFirstThenStatesInOrder) {
    TKeyAssignment custom;
    custom.SetKey(Plain, KeyOf("{A}"), Id("SAVE"));
    custom.SetKey(7, KeyOf("{-}"), Id("SAVE"));
    custom.SetKey(CtrlShift, KeyOf("{F1}"), Id("OPEN"));
    custom.SetKey(Shift, KeyOf("{F1}"), Id("OPEN"));
    custom.SetKey(Plain, KeyOf("{Application}"), Id("HELP"));
    custom.SetKey(CtrlShift, KeyOf("{-}"), Id("HELP"));
    struct Case {
        TKeyAssignment Assignment;
        std::string_view Command;
        std::string_view Text; // empty: no shortcut
    };
    const Case cases[] = {
        {Windows(), "COPY", "Ctrl+Insert"},
        {Windows(), "PASTE", "Shift+Insert"},
        {Windows(), "SELECTALL", "Ctrl+A"},
        {Windows(), "UNDO", "Ctrl+Z"},
        {Windows(), "DELETE", "Delete"},
        {Windows(), "VERSION", ""},
        {Dos(), "DELETE", "Shift+F7"}, // F7 comes before Delete whatever the states
        {Dos(), "CUT", "F7"},
        {custom, "SAVE", "Alt+Ctrl+Shift+-"},
        {custom, "OPEN", "Shift+F1"},
        {custom, "HELP", "Ctrl+Shift+-"}};
    for (const Case& c : cases) {
        const auto shortcut = ShortcutOf(c.Assignment, Id(c.Command));
        EXPECT_EQ(shortcut ? ShortcutText(*shortcut) : "", c.Text) << c.Command;
    }
    // Searching for "no command" must not find the first unassigned key.
    EXPECT_EQ(ShortcutOf(TKeyAssignment(), NoCommand), std::nullopt);
}

TEST(ShortcutText, PrefixAndKeyWithoutBraces) {
    const std::pair<TShortcut, std::string_view> cases[] = {
        {{CtrlShift, KeyOf("{PageUp}")}, "Ctrl+Shift+PageUp"},
        {{Ctrl, KeyOf("{\\}")}, "Ctrl+\\"},
        {{Plain, KeyOf("{Enter(NumPad)}")}, "Enter(NumPad)"},
        {{7, KeyOf("{Application}")}, "Alt+Ctrl+Shift+Application"},
        {{8, KeyOf("{A}")}, ""},
        {{Plain, KeyCount}, ""},
        {{Plain, -1}, ""},
    };
    for (const auto& [shortcut, text] : cases)
        EXPECT_EQ(ShortcutText(shortcut), text) << shortcut.State << ' ' << shortcut.Key;
}

TEST(UserMenuItems, CaptionsCommandsAndEnabling) {
    TKeyAssignment a = Windows();
    a.SetUserMenu(0, 1, 12345); // a number outside the table runs nothing
    const std::vector<TUserMenuItem> items = UserMenuItems(a, 0);
    ASSERT_EQ(items.size(), 26u);
    const std::tuple<int, std::string_view, CommandId, bool> cases[] = {
        {0, "ファイル全体を範囲選択(&A)", Id("SELECTALL"), true},
        {1, "(未定義)", NoCommand, false},
        {3, "(未定義)", NoCommand, false},
        {4, "ファイルを保存して終了(&E)", Id("SAVECLOSE"), true},
        {25, "元に戻す(&Z)", Id("UNDO"), true},
    };
    for (const auto& [letter, caption, command, enabled] : cases) {
        const TUserMenuItem& item = items[static_cast<std::size_t>(letter)];
        EXPECT_EQ(item.Caption, caption) << letter;
        EXPECT_EQ(item.Command, command) << letter;
        EXPECT_EQ(item.Enabled, enabled) << letter;
    }
    EXPECT_TRUE(std::ranges::none_of(UserMenuItems(a, 4), &TUserMenuItem::Enabled));
    EXPECT_TRUE(UserMenuItems(a, 5).empty());
}

} // namespace
} // namespace mv
