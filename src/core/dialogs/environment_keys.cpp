#include "core/dialogs/environment_keys.h"

#include <utility>

namespace mv {

namespace {

constexpr KeyIndex FirstLetter = KeyNamed("{A}");
constexpr int PlainStates = 2; // "なし" and "Shift" offer the function and movement keys
constexpr int ModifierItems = 4;

std::vector<KeyIndex> KeyRange(KeyIndex first, KeyIndex last) {
    std::vector<KeyIndex> keys;
    for (KeyIndex key = first; key <= last; ++key) keys.push_back(key);
    return keys;
}

std::vector<KeyIndex> KeysOfShift(int item) {
    if (item >= ModifierItems) return KeyRange(FirstLetter, KeyNamed("{Z}"));
    std::vector<KeyIndex> keys = item < PlainStates ? KeyRange(KeyNamed("{F1}"), KeyNamed("{Pause}"))
                                                    : KeyRange(KeyNamed("{0}"), KeyNamed("{Space}"));
    keys.push_back(KeyNamed("{Application}"));
    return keys;
}

} // namespace

TEnvironmentKeys::TEnvironmentKeys(TEnvironment& settings, std::function<void()> changed)
    : settings_(settings), changed_(std::move(changed)) {
    ApplyTemplate(settings_.KeyAssignType);
    SelectShift(0);
}

void TEnvironmentKeys::SelectShift(int item) {
    if (item < 0 || item >= ShiftItemCount) return;
    shift_ = item;
    keys_ = KeysOfShift(item);
    selected_ = -1;
}

void TEnvironmentKeys::SelectKey(int row) {
    selected_ = row >= 0 && row < static_cast<int>(keys_.size()) ? row : -1;
}

// A user menu's letter is the key's distance from "{A}".
CommandId TEnvironmentKeys::SelectedCommand() const {
    if (selected_ < 0) return NoCommand;
    const KeyIndex key = keys_[static_cast<std::size_t>(selected_)];
    const TKeyAssignment& assignment = settings_.KeyAssignment;
    return shift_ < ModifierItems ? assignment.Key(shift_, key)
                                  : assignment.UserMenu(shift_ - ModifierItems, key - FirstLetter);
}

void TEnvironmentKeys::Store(CommandId command) {
    const KeyIndex key = keys_[static_cast<std::size_t>(selected_)];
    TKeyAssignment& assignment = settings_.KeyAssignment;
    if (shift_ < ModifierItems)
        assignment.SetKey(shift_, key, command);
    else
        assignment.SetUserMenu(shift_ - ModifierItems, key - FirstLetter, command);
    settings_.KeyAssignType = TKeyAssignType::UserDefined;
    changed_();
}

std::string_view TEnvironmentKeys::OperateName() const {
    const TCommandEntry* entry = CommandEntryOf(SelectedCommand());
    return entry != nullptr ? entry->Description : std::string_view();
}

bool TEnvironmentKeys::Assign(CommandId command) {
    if (selected_ < 0 || CommandEntryOf(command) == nullptr || SelectedCommand() == command)
        return false;
    Store(command);
    return true;
}

bool TEnvironmentKeys::ClearKey() {
    if (SelectedCommand() == NoCommand) return false;
    Store(NoCommand);
    return true;
}

void TEnvironmentKeys::ChooseTemplate(TKeyAssignType type) {
    ApplyTemplate(type);
    changed_();
}

void TEnvironmentKeys::ApplyTemplate(TKeyAssignType type) {
    settings_.KeyAssignType = type;
    if (type != TKeyAssignType::UserDefined) settings_.KeyAssignment = TKeyAssignment::Template(type);
}

} // namespace mv
