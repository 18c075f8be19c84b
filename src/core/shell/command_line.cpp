#include "core/shell/command_line.h"

#include <string_view>

namespace mv {

std::vector<std::string> FileArguments(std::span<const char* const> arguments) {
    std::vector<std::string> names;
    bool optionsEnded = false;
    for (const char* argument : arguments) {
        const std::string_view text = argument != nullptr ? argument : "";
        if (text.empty()) continue;
        if (!optionsEnded && text == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && text.front() == '-') continue;
        names.emplace_back(text);
    }
    return names;
}

} // namespace mv
