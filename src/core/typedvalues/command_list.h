#pragma once

#include "core/typedvalues/command_table.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mv {

// One heading of the command list and the commands under it.
struct TCommandGroup {
    std::string Title; // UTF-8; empty for commands listed before the first heading
    std::vector<CommandId> Commands;

    friend bool operator==(const TCommandGroup&, const TCommandGroup&) = default;
};

// Reads a command list: Shift JIS text, one entry a line; a line beginning with '.' is a
// heading (the rest of the line is the title), any other line a command name. Lines may end
// in CR LF or LF; blank lines and names that are not in the command table are skipped, and a
// heading with no commands under it still makes a group.
[[nodiscard]] std::vector<TCommandGroup>
ReadCommandList(std::span<const std::uint8_t> shiftJisText);

// The groups of the list built into the program, which the key page's command tree shows.
[[nodiscard]] const std::vector<TCommandGroup>& CommandListGroups();

} // namespace mv
