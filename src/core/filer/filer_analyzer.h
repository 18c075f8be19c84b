#pragma once

#include "core/filer/filer_command.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mv {

// The outcome of parsing a filer. It starts as a failure and becomes a success only when
// the end of the text is reached cleanly.
struct TAnalyzeError {
    bool IsError = true;
    // The 1-based line of the failing token; for an incomplete command at the end of the
    // text, the file's line count plus two (the text ends in an added line break).
    std::int32_t Line = 0;
    // UTF-8. Filer text quoted in it (a name, a parameter) is converted from Shift JIS.
    std::string Message;
    // The errno of a file that could not be read, EFBIG for one larger than MaxFilerBytes;
    // the text was then not parsed and Message stays empty, so the caller reports the file
    // error in its own words.
    int FileError = 0;
};

// Parses the filer in a file into its initialization, edit and finalization commands. The
// three lists are emptied first; after a failure their contents are incomplete and must be
// discarded. An edit section past MaxEditCommands or MaxFilerWidgets (filer_bounds.h) fails at
// the command that passes the bound, before it is stored.
TAnalyzeError AnalyzeFiler(const std::string& fileName, TFilerCommands& initialize,
                           TFilerCommands& edit, TFilerCommands& finalize);

// The same on the file's bytes (Shift JIS, lines ending in CR LF, CR or LF).
TAnalyzeError AnalyzeFilerText(std::string_view bytes, TFilerCommands& initialize,
                               TFilerCommands& edit, TFilerCommands& finalize);

} // namespace mv
