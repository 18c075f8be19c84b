#pragma once

#include "core/config/environment.h"
#include "core/typedvalues/key_assignment.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace mv {

// The items of the key page's shift list: the modifier states 0 to 3 ("なし", "Shift",
// "Ctrl", "Ctrl + Shift"), then the five user menus.
inline constexpr int ShiftItemCount = 4 + UserMenuCount;

// The key page of the options: which keys a shift state offers, what the chosen key runs, and
// the changes of the assignment of the record it edits. Any change of the assignment or of
// the template reports `changed`; a change made by hand makes the template "任意".
class TEnvironmentKeys {
public:
    // Applies the record's template, as choosing it would, and shows the keys of "なし".
    TEnvironmentKeys(TEnvironment& settings, std::function<void()> changed);

    [[nodiscard]] int Shift() const { return shift_; }
    // Fills the key list for that item of the shift list; no key is chosen then.
    void SelectShift(int item);
    // The keys of the current shift item, as key indices into KeyNameList.
    [[nodiscard]] std::span<const KeyIndex> Keys() const { return keys_; }

    [[nodiscard]] int SelectedKey() const { return selected_; }
    // A row of the key list, -1 for none; rows outside the list choose none.
    void SelectKey(int row);
    // The command of the chosen key, NoCommand without a key or an assignment.
    [[nodiscard]] CommandId SelectedCommand() const;
    // Its description, empty for none.
    [[nodiscard]] std::string_view OperateName() const;

    // Binds the chosen key to the command; false when no key is chosen or nothing changes.
    bool Assign(CommandId command);
    // Removes the chosen key's binding; false when it had none.
    bool ClearKey();

    [[nodiscard]] TKeyAssignType Template() const { return settings_.KeyAssignType; }
    // A built-in template replaces the whole assignment; "任意" keeps it.
    void ChooseTemplate(TKeyAssignType type);

private:
    void ApplyTemplate(TKeyAssignType type);
    // Binds the chosen key (there must be one) and makes the assignment the user's own.
    void Store(CommandId command);

    TEnvironment& settings_;
    std::function<void()> changed_;
    int shift_ = 0;
    std::vector<KeyIndex> keys_;
    int selected_ = -1;
};

} // namespace mv
