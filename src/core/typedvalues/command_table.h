#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mv {

// An editor command number; -1 means no command. Numbers below 90000 are run by the
// binary view itself, 90000 and above by its document window.
using CommandId = std::int32_t;
inline constexpr CommandId NoCommand = -1;

struct TCommandEntry {
    CommandId Id;
    std::string_view Name;        // upper-case, as stored in key assignments
    std::string_view ShortLabel;  // UTF-8; labels the function-key bar
    std::string_view Description; // UTF-8; names the command in lists and user menus
};

// The 140 commands, in the order of the command list.
[[nodiscard]] std::span<const TCommandEntry> CommandTable();

// The command of that name, compared without regard to ASCII case, or NoCommand.
[[nodiscard]] CommandId CommandIdOf(std::string_view name);
// The entry of that number, or nullptr.
[[nodiscard]] const TCommandEntry* CommandEntryOf(CommandId id);

} // namespace mv
