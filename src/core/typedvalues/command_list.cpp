#include "core/typedvalues/command_list.h"

#include "core/typedvalues/sjis_utf8.h"
#include "resources/command_list.h"

#include <string_view>

namespace mv {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::vector<TCommandGroup> ReadCommandList(std::span<const std::uint8_t> shiftJisText) {
    std::string_view rest(reinterpret_cast<const char*>(shiftJisText.data()), shiftJisText.size());
    std::vector<TCommandGroup> groups;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);

        if (line.starts_with('.')) {
            groups.push_back({ShiftJisToUtf8(line.substr(1)), {}});
            continue;
        }
        const CommandId command = CommandIdOf(TrimBlanks(line));
        if (command == NoCommand) continue;
        if (groups.empty()) groups.emplace_back();
        groups.back().Commands.push_back(command);
    }
    return groups;
}

const std::vector<TCommandGroup>& CommandListGroups() {
    static const std::vector<TCommandGroup> groups = ReadCommandList(resources::CommandList());
    return groups;
}

} // namespace mv
