// Feeds arbitrary stored key-assignment values to the loaders.
//
// Input: sections separated by '\f'; the first holds the key table's values, section n the
// values of user menu n - 1 (numbers past the last menu included, to probe the refusal).
// Within a section, values are separated by '\n', and a value's name from its data by the
// first '\t'.
#include "core/typedvalues/key_assignment.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "key_assignment_fuzz: %s\n", what);
    std::abort();
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::vector<mv::TStoredValue> ParseValues(std::string_view section) {
    std::vector<mv::TStoredValue> values;
    for (const std::string_view record : Split(section, '\n')) {
        const std::size_t tab = record.find('\t');
        if (tab == std::string_view::npos)
            values.emplace_back(std::string(record), std::string());
        else
            values.emplace_back(std::string(record.substr(0, tab)),
                                std::string(record.substr(tab + 1)));
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> sections = Split(input, '\f');

    mv::TKeyAssignment loaded;
    mv::LoadStoredKeyTable(loaded, ParseValues(sections[0]));
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const int menu = static_cast<int>(i) - 1;
        const mv::TKeyAssignment before = loaded;
        mv::LoadStoredUserMenu(loaded, menu, ParseValues(sections[i]));
        Require(menu < mv::UserMenuCount || loaded == before, "a menu past the last one loaded");
    }

    for (const mv::CommandId value : loaded.Values())
        Require(value == mv::NoCommand || mv::CommandEntryOf(value) != nullptr,
                "a value that is no command");

    // What was loaded must be exactly what the writer keeps: nothing lost, nothing added.
    mv::TKeyAssignment reloaded;
    mv::LoadStoredKeyTable(reloaded, mv::StoredKeyTable(loaded));
    for (int menu = 0; menu < mv::UserMenuCount; ++menu)
        mv::LoadStoredUserMenu(reloaded, menu, mv::StoredUserMenu(loaded, menu));
    Require(reloaded == loaded, "the stored form does not reproduce the assignment");

    for (mv::ModifierState state = 0; state < mv::ModifierStateCount; ++state) {
        for (mv::KeyIndex key = 0; key < mv::KeyCount; ++key) {
            const mv::CommandId command = loaded.Key(state, key);
            if (command == mv::NoCommand) continue;
            const auto shortcut = mv::ShortcutOf(loaded, command);
            Require(shortcut && loaded.Key(shortcut->State, shortcut->Key) == command &&
                        !mv::ShortcutText(*shortcut).empty(),
                    "an assigned command without its shortcut");
        }
    }
    for (int menu = 0; menu < mv::UserMenuCount; ++menu) {
        const auto items = mv::UserMenuItems(loaded, menu);
        Require(items.size() == static_cast<std::size_t>(mv::UserMenuLetters),
                "a user menu without 26 items");
        for (int letter = 0; letter < mv::UserMenuLetters; ++letter)
            Require(items[static_cast<std::size_t>(letter)].Command ==
                            loaded.UserMenu(menu, letter) &&
                        items[static_cast<std::size_t>(letter)].Enabled ==
                            (loaded.UserMenu(menu, letter) != mv::NoCommand),
                    "a user-menu item that does not show its entry");
    }
    return 0;
}
