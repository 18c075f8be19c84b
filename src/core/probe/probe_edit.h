#pragma once

#include "core/datastore/address.h"

#include <string>
#include <string_view>
#include <vector>

namespace mv {

// What text typed into a row of the probe becomes: the bytes to write at the caret, or,
// when the text is refused, no bytes and the reason (UTF-8) to show the user.
struct TProbeEdit {
    std::vector<Byte> Bytes;
    std::string Refusal;

    [[nodiscard]] static TProbeEdit Refused(std::string reason) {
        return {{}, std::move(reason)};
    }
    friend bool operator==(const TProbeEdit&, const TProbeEdit&) = default;
};

// Typed text is read without the blanks around it, which a paste often brings along.
[[nodiscard]] inline std::string_view Typed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

} // namespace mv
