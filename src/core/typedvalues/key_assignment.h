#pragma once

#include "core/typedvalues/command_table.h"
#include "core/typedvalues/key_names.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

// The sum of Shift 1, Ctrl 2 and Alt 4.
using ModifierState = std::int32_t;

inline constexpr int ModifierStateCount = 8;
inline constexpr int UserMenuCount = 5;
inline constexpr int UserMenuLetters = 26;
// Stored assignments cover every modifier state and the keys "{0}" to "{Space}" and
// "{Application}".
inline constexpr int StoredStateCount = ModifierStateCount;
inline constexpr int StoredKeyCount = 78;

// "{0}" .. "{Application}"; a key index is a position in this list.
[[nodiscard]] const std::array<std::string_view, KeyCount>& KeyNames();
// The prefixes of a stored key name by modifier state, then "Over+" with the number 8.
[[nodiscard]] const std::array<std::string_view, 9>& ShiftNames();
// Windows virtual-key code to key index, -1 for keys without one.
[[nodiscard]] KeyIndex KeyIndexOfVirtualKey(std::uint8_t virtualKey, bool extended);

enum class TKeyAssignType : std::uint8_t { WindowsStandard = 0, DosStandard = 1, UserDefined = 2 };

// The command of every (modifier state, key) and of every user-menu letter: 8 x 97 values,
// then 5 x 26; 906 values in all, in that order.
class TKeyAssignment {
public:
    static constexpr int ValueCount =
        ModifierStateCount * KeyCount + UserMenuCount * UserMenuLetters;

    TKeyAssignment(); // cleared: every value NoCommand

    [[nodiscard]] static TKeyAssignment Template(TKeyAssignType type); // 0 or 1

    void Clear();
    [[nodiscard]] CommandId Key(ModifierState state, KeyIndex key) const;
    void SetKey(ModifierState state, KeyIndex key, CommandId command);
    [[nodiscard]] CommandId UserMenu(int menu, int letter) const;
    void SetUserMenu(int menu, int letter, CommandId command);

    [[nodiscard]] const std::array<CommandId, ValueCount>& Values() const { return values_; }
    std::array<CommandId, ValueCount>& Values() { return values_; }

    friend bool operator==(const TKeyAssignment&, const TKeyAssignment&) = default;

private:
    std::array<CommandId, ValueCount> values_;
};

// One stored string value: its name and its data.
using TStoredValue = std::pair<std::string, std::string>;

// The stored text form of a user-defined assignment: the values of the key table's
// registry key (keys 0-77 and "{Application}") and of each user menu's key.
[[nodiscard]] std::vector<TStoredValue> StoredKeyTable(const TKeyAssignment& assignment);
[[nodiscard]] std::vector<TStoredValue> StoredUserMenu(const TKeyAssignment& assignment, int menu);
// Reading it back into an assignment that the caller has cleared. Unknown command names
// store NoCommand; unknown key names and out-of-range entries are skipped.
void LoadStoredKeyTable(TKeyAssignment& assignment, const std::vector<TStoredValue>& values);
void LoadStoredUserMenu(TKeyAssignment& assignment, int menu,
                        const std::vector<TStoredValue>& values);

// What a key press in the binary view means.
struct TKeyPress {
    ModifierState State = 0;
    std::uint8_t VirtualKey = 0;
    bool Extended = false; // the extended-key flag (keypad Enter)
};
struct TKeyContext {
    bool ExpandTenKey = false;
    bool HexArea = true; // the input area is the hexadecimal columns
    bool SpecialJapaneseKeyboard = false;
};
struct TKeyResolution {
    std::optional<int> HexDigit; // 10..15 when an expanded ten-key stands for a digit
    CommandId Command = NoCommand;
};
[[nodiscard]] TKeyResolution ResolveKey(const TKeyAssignment& assignment, const TKeyPress& press,
                                        const TKeyContext& context);

// The 26 items of a user menu: "description(&L)" and enabled for an assigned letter,
// "(未定義)" and disabled otherwise. Texts are UTF-8.
struct TUserMenuItem {
    std::string Caption;
    CommandId Command = NoCommand;
    bool Enabled = false;
};
[[nodiscard]] std::vector<TUserMenuItem> UserMenuItems(const TKeyAssignment& assignment, int menu);

// The key that menus show as a command's shortcut: the first found, searching keys 36-96
// before 0-35 and, for each key, the modifier states in order; nothing when no key runs it.
struct TShortcut {
    ModifierState State = 0;
    KeyIndex Key = -1;
    friend bool operator==(const TShortcut&, const TShortcut&) = default;
};
[[nodiscard]] std::optional<TShortcut> ShortcutOf(const TKeyAssignment& assignment,
                                                  CommandId command);
// Its text as menus show it: "Ctrl+Shift+PageUp" (the prefix, then the key name without
// braces).
[[nodiscard]] std::string ShortcutText(const TShortcut& shortcut);

} // namespace mv
