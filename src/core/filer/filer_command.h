#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mv {

// One command of a parsed filer: the upper-cased name and its parameters as stored by the
// parser (integers already in decimal, strings as written without their quotes). Texts are
// the filer's own Shift JIS bytes.
struct TFilerCommand {
    std::string Name;
    std::vector<std::string> Parameters;
    // The line where the command ends; for a common block's command, that of the
    // INCLUDECOMMON that placed it. Messages about what it builds name this line.
    std::int32_t Line = 0;

    // Two commands are equal when they say the same, wherever they stand.
    friend bool operator==(const TFilerCommand& a, const TFilerCommand& b) {
        return a.Name == b.Name && a.Parameters == b.Parameters;
    }
};

using TFilerCommands = std::vector<TFilerCommand>;

} // namespace mv
