#pragma once

#include "core/filer/filer_command.h"
#include "core/filer/filer_target.h"

#include <cstdint>
#include <string>

namespace mv {

class THostServices;

// What a run of a command list carries from one command to the next; each run starts
// afresh.
struct TFilerRunState {
    std::int64_t Base = 0; // added to every address; set, not added to, by SEGMENT
    bool BigEndian = false;
};

// Executes one command against the target: SEGMENT, the byte-order commands and the write
// commands; any other command does nothing. Answers the error message (UTF-8), empty on
// success; a failed command writes nothing.
//
// The range tests are made in 64-bit arithmetic and refuse a negative address or size as
// well as one past the end, so no base address plus address can wrap round to a place
// inside the data. A parameter that is missing or unreadable counts as -1 (the parser never
// leaves one so).
[[nodiscard]] std::string ExecuteFilerCommand(const TFilerCommand& command, TFilerRunState& state,
                                              TFilerTarget& target);

// Runs a list from a fresh state. After each failed command it asks the host, with a
// warning and Yes and No, whether to go on; No stops the run.
void RunFilerCommands(const TFilerCommands& commands, TFilerTarget& target, THostServices& host);

} // namespace mv
