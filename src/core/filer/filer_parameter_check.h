#pragma once

#include "core/filer/filer_command_table.h"

#include <span>
#include <string>

namespace mv {

// Checks the parameter at a 1-based position as it is read, against the parameters read
// before it (`earlier`), after an integer parameter has been rewritten in decimal. May
// rewrite the text itself (INDENT and MARGIN numbers, EDITSELECT options, into decimal).
// Answers the error message in UTF-8, with any quoted filer text converted from Shift JIS;
// empty when the parameter passes.
//
// Beyond the per-command rows, an address or size parameter (TCommandType::Extents) that
// is negative, which only an eight-digit hexadecimal literal can make, is refused: it would
// pass every later "Size - A >= N" test and reach data before the start.
[[nodiscard]] std::string CheckParameter(const TCommandType& command, int position,
                                         std::string& text, std::span<const std::string> earlier);

} // namespace mv
