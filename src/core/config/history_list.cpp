#include "core/config/history_list.h"

#include "core/typedvalues/string_utils.h"

#include <algorithm>

namespace mv {

void THistoryList::AddHistory(const std::string& name) {
    std::string normalised = LongPathName(name);
    const auto found = std::find(names_.begin(), names_.end(), normalised);
    if (found != names_.end())
        std::rotate(names_.begin(), found, found + 1);
    else
        names_.insert(names_.begin(), std::move(normalised));
}

void THistoryList::Append(std::string name) {
    // A hand-edited store may repeat a name; the first one is the more recent.
    if (name.empty() || std::find(names_.begin(), names_.end(), name) != names_.end()) return;
    names_.push_back(std::move(name));
}

std::string THistoryList::HistoryAt(std::ptrdiff_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) return {};
    return names_[static_cast<std::size_t>(index)];
}

} // namespace mv
