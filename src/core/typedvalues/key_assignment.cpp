#include "core/typedvalues/key_assignment.h"

#include <cstddef>

namespace mv {
namespace {

constexpr std::array<std::string_view, 9> kShiftNames = {
    "",           "Shift+",    "Ctrl+",           "Ctrl+Shift+", "Alt+",
    "Alt+Shift+", "Alt+Ctrl+", "Alt+Ctrl+Shift+", "Over+",
};

consteval std::array<std::int8_t, 256> MakeVirtualKeyTable() {
    std::array<std::int8_t, 256> table{};
    table.fill(-1);
    const auto set = [&table](int code, KeyIndex key) {
        table[static_cast<std::size_t>(code)] = static_cast<std::int8_t>(key);
    };
    for (int i = 0; i < 10; ++i) {
        set(0x30 + i, KeyNamed("{0}") + i);
        set(0x60 + i, KeyNamed("{0(NumPad)}") + i);
    }
    for (int i = 0; i < 26; ++i)
        set(0x41 + i, KeyNamed("{A}") + i);
    for (int i = 0; i < 15; ++i)
        set(0x70 + i, KeyNamed("{F1}") + i);
    struct Named {
        int Code;
        std::string_view Name;
    };
    // "{Pause}" and "{Enter(NumPad)}" are missing on purpose: the first is never reported,
    // the second shares 0x0D with "{Enter}" and is told apart by the extended flag.
    constexpr Named named[] = {
        {0xBD, "{-}"},           {0xDE, "{^}"},         {0xDC, "{\\}"},
        {0xC0, "{@}"},           {0xDB, "{[}"},         {0xDD, "{]}"},
        {0xBB, "{;}"},           {0xBA, "{:}"},         {0xBC, "{,}"},
        {0xBF, "{/}"},           {0xBE, "{.}"},         {0x0D, "{Enter}"},
        {0x1B, "{Esc}"},         {0x09, "{Tab}"},       {0x2D, "{Insert}"},
        {0x2E, "{Delete}"},      {0x08, "{BackSpace}"}, {0x21, "{PageUp}"},
        {0x22, "{PageDown}"},    {0x24, "{Home}"},      {0x23, "{End}"},
        {0x26, "{Up}"},          {0x28, "{Down}"},      {0x25, "{Left}"},
        {0x27, "{Right}"},       {0x20, "{Space}"},     {0x6A, "{*(NumPad)}"},
        {0x6B, "{+(NumPad)}"},   {0x6D, "{-(NumPad)}"}, {0x6E, "{.(NumPad)}"},
        {0x6F, "{/(NumPad)}"},   {0x92, "{=(NumPad)}"}, {0x6C, "{,(NumPad)}"},
        {0x5D, "{Application}"},
    };
    for (const Named& n : named)
        set(n.Code, KeyNamed(n.Name));
    return table;
}

constexpr std::array<std::int8_t, 256> kVirtualKeyTable = MakeVirtualKeyTable();
constexpr std::uint8_t kVkReturn = 0x0D;
constexpr KeyIndex kFirstLetterKey = KeyNamed("{A}");
constexpr KeyIndex kApplicationKey = KeyNamed("{Application}");

// The keypad keys that type the digits A to F when the expanded ten-key is on, in digit order.
constexpr std::array<KeyIndex, 6> kTenKeyDigits = {
    KeyNamed("{/(NumPad)}"), KeyNamed("{*(NumPad)}"),     KeyNamed("{-(NumPad)}"),
    KeyNamed("{+(NumPad)}"), KeyNamed("{Enter(NumPad)}"), KeyNamed("{.(NumPad)}"),
};
// The special Japanese keyboard's keypad has "=" and ","; there the plain "{Enter}" types D.
constexpr std::array<KeyIndex, 6> kSpecialTenKeyDigits = {
    KeyNamed("{*(NumPad)}"), KeyNamed("{+(NumPad)}"), KeyNamed("{=(NumPad)}"),
    KeyNamed("{Enter}"),     KeyNamed("{.(NumPad)}"), KeyNamed("{,(NumPad)}"),
};

bool IsState(ModifierState state) {
    return state >= 0 && state < ModifierStateCount;
}
bool IsKey(KeyIndex key) {
    return key >= 0 && key < KeyCount;
}
bool IsMenu(int menu) {
    return menu >= 0 && menu < UserMenuCount;
}
bool IsLetter(int letter) {
    return letter >= 0 && letter < UserMenuLetters;
}

std::size_t KeySlot(ModifierState state, KeyIndex key) {
    return static_cast<std::size_t>(state * KeyCount + key);
}
std::size_t MenuSlot(int menu, int letter) {
    return static_cast<std::size_t>(ModifierStateCount * KeyCount + menu * UserMenuLetters +
                                    letter);
}

// The entries that the stored form carries, in every modifier state: the keys "{0}" to
// "{Space}", and "{Application}", which the templates bind and which would otherwise be lost
// at a restart under a user-defined assignment. Loading takes exactly what writing writes, so
// a store never changes by being read and saved again: Alt bindings read from it survive.
bool IsStoredEntry(ModifierState state, KeyIndex key) {
    return IsState(state) && ((key >= 0 && key < StoredKeyCount) || key == kApplicationKey);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every name compared against is ASCII, so a text with a byte beyond ASCII never matches
// and folding cannot turn a Shift JIS pair into a letter.
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

template <std::size_t N>
int IndexIgnoringCase(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (EqualsIgnoringCase(names[i], name)) return static_cast<int>(i);
    return -1;
}

// An entry is written only when it names a command; a number outside the table has no text.
const TCommandEntry* StorableCommand(CommandId id) {
    return id == NoCommand ? nullptr : CommandEntryOf(id);
}

std::optional<int> TenKeyDigit(KeyIndex key, bool specialJapaneseKeyboard) {
    const auto& keys = specialJapaneseKeyboard ? kSpecialTenKeyDigits : kTenKeyDigits;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key) return 10 + static_cast<int>(i);
    return std::nullopt;
}

} // namespace

const std::array<std::string_view, KeyCount>& KeyNames() {
    return KeyNameList;
}

const std::array<std::string_view, 9>& ShiftNames() {
    return kShiftNames;
}

KeyIndex KeyIndexOfVirtualKey(std::uint8_t virtualKey, bool extended) {
    if (virtualKey == kVkReturn && extended) return KeyNamed("{Enter(NumPad)}");
    return kVirtualKeyTable[virtualKey];
}

TKeyAssignment::TKeyAssignment() {
    Clear();
}

void TKeyAssignment::Clear() {
    values_.fill(NoCommand);
}

CommandId TKeyAssignment::Key(ModifierState state, KeyIndex key) const {
    return IsState(state) && IsKey(key) ? values_[KeySlot(state, key)] : NoCommand;
}

void TKeyAssignment::SetKey(ModifierState state, KeyIndex key, CommandId command) {
    if (IsState(state) && IsKey(key)) values_[KeySlot(state, key)] = command;
}

CommandId TKeyAssignment::UserMenu(int menu, int letter) const {
    return IsMenu(menu) && IsLetter(letter) ? values_[MenuSlot(menu, letter)] : NoCommand;
}

void TKeyAssignment::SetUserMenu(int menu, int letter, CommandId command) {
    if (IsMenu(menu) && IsLetter(letter)) values_[MenuSlot(menu, letter)] = command;
}

std::vector<TStoredValue> StoredKeyTable(const TKeyAssignment& assignment) {
    std::vector<TStoredValue> values;
    for (ModifierState state = 0; state < ModifierStateCount; ++state) {
        for (KeyIndex key = 0; key < KeyCount; ++key) {
            if (!IsStoredEntry(state, key)) continue;
            if (const TCommandEntry* entry = StorableCommand(assignment.Key(state, key)))
                values.emplace_back(std::string(kShiftNames[static_cast<std::size_t>(state)]) +
                                        std::string(KeyNameList[static_cast<std::size_t>(key)]),
                                    std::string(entry->Name));
        }
    }
    return values;
}

std::vector<TStoredValue> StoredUserMenu(const TKeyAssignment& assignment, int menu) {
    std::vector<TStoredValue> values;
    if (!IsMenu(menu)) return values;
    for (int letter = 0; letter < UserMenuLetters; ++letter) {
        if (const TCommandEntry* entry = StorableCommand(assignment.UserMenu(menu, letter)))
            values.emplace_back(
                std::string(KeyNameList[static_cast<std::size_t>(kFirstLetterKey + letter)]),
                std::string(entry->Name));
    }
    return values;
}

void LoadStoredKeyTable(TKeyAssignment& assignment, const std::vector<TStoredValue>& values) {
    for (const auto& [name, data] : values) {
        const std::size_t brace = name.find('{');
        if (brace == std::string::npos) continue;
        const std::string_view view(name);
        // A prefix that is no modifier name counts as none at all; "Over+", a known name
        // beyond the modifier states, rules the entry out.
        const int named = IndexIgnoringCase(kShiftNames, view.substr(0, brace));
        const ModifierState state = named < 0 ? 0 : named;
        const KeyIndex key = IndexIgnoringCase(KeyNameList, view.substr(brace));
        if (IsStoredEntry(state, key)) assignment.SetKey(state, key, CommandIdOf(data));
    }
}

void LoadStoredUserMenu(TKeyAssignment& assignment, int menu,
                        const std::vector<TStoredValue>& values) {
    if (!IsMenu(menu)) return;
    for (const auto& [name, data] : values) {
        const int letter = IndexIgnoringCase(KeyNameList, name) - kFirstLetterKey;
        if (IsLetter(letter)) assignment.SetUserMenu(menu, letter, CommandIdOf(data));
    }
}

TKeyResolution ResolveKey(const TKeyAssignment& assignment, const TKeyPress& press,
                          const TKeyContext& context) {
    const KeyIndex key = KeyIndexOfVirtualKey(press.VirtualKey, press.Extended);
    if (context.ExpandTenKey && context.HexArea && press.State == 0) {
        if (const auto digit = TenKeyDigit(key, context.SpecialJapaneseKeyboard))
            return {digit, NoCommand};
    }
    return {std::nullopt, assignment.Key(press.State, key)};
}

std::vector<TUserMenuItem> UserMenuItems(const TKeyAssignment& assignment, int menu) {
    std::vector<TUserMenuItem> items;
    if (!IsMenu(menu)) return items;
    for (int letter = 0; letter < UserMenuLetters; ++letter) {
        const CommandId id = assignment.UserMenu(menu, letter);
        if (const TCommandEntry* entry = StorableCommand(id))
            items.push_back(
                {std::string(entry->Description) + "(&" + static_cast<char>('A' + letter) + ")", id,
                 true});
        else
            items.push_back({"(未定義)", NoCommand, false});
    }
    return items;
}

std::optional<TShortcut> ShortcutOf(const TKeyAssignment& assignment, CommandId command) {
    if (command == NoCommand) return std::nullopt;
    // Letters and digits come last, and every modifier state of one key before the next key:
    // a named key (Ctrl+Insert) is shown rather than its Ctrl+letter double (Ctrl+C).
    const auto find = [&](KeyIndex from, KeyIndex to) -> std::optional<TShortcut> {
        for (KeyIndex key = from; key < to; ++key)
            for (ModifierState state = 0; state < ModifierStateCount; ++state)
                if (assignment.Key(state, key) == command) return TShortcut{state, key};
        return std::nullopt;
    };
    constexpr KeyIndex firstNonAlphanumeric = KeyNamed("{-}");
    if (auto found = find(firstNonAlphanumeric, KeyCount)) return found;
    return find(0, firstNonAlphanumeric);
}

std::string ShortcutText(const TShortcut& shortcut) {
    if (!IsState(shortcut.State) || !IsKey(shortcut.Key)) return {};
    const std::string_view name = KeyNameList[static_cast<std::size_t>(shortcut.Key)];
    return std::string(kShiftNames[static_cast<std::size_t>(shortcut.State)]) +
           std::string(name.substr(1, name.size() - 2));
}

} // namespace mv
