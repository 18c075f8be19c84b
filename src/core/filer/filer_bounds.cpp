#include "core/filer/filer_bounds.h"

#include <array>
#include <utility>

namespace mv {

int CommandWidgets(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, int>, 8> Costs{{
        {"PAGE", 7},
        {"LABEL", 1},
        {"HORIZONTALRULE", 1},
        {"MESSAGE", 6},
        {"EDITBIT", 2},
        {"EDITINTEGER", 4},
        {"EDITSELECT", 12},
        {"EDITSTRING", 3},
    }};
    for (const auto& [command, cost] : Costs)
        if (command == name) return cost;
    return 0;
}

} // namespace mv
