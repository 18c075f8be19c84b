#pragma once

#include <string>
#include <vector>

namespace mv {

// One command of a parsed filer: the upper-cased name and its parameters as stored by the
// parser (integers already in decimal, strings as written without their quotes). Texts are
// the filer's own Shift JIS bytes.
struct TFilerCommand {
    std::string Name;
    std::vector<std::string> Parameters;

    friend bool operator==(const TFilerCommand&, const TFilerCommand&) = default;
};

using TFilerCommands = std::vector<TFilerCommand>;

} // namespace mv
