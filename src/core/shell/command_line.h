#pragma once

#include <span>
#include <string>
#include <vector>

namespace mv {

// The file names among the program's arguments (without the program name), as the bytes that
// were given. An argument beginning with '-' is an option, and no options are defined, so it
// is skipped; "--" makes every later argument a file name, so that "-x" can still be opened.
// An empty argument names no file and is skipped too.
[[nodiscard]] std::vector<std::string> FileArguments(std::span<const char* const> arguments);

} // namespace mv
