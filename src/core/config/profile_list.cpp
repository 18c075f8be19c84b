#include "core/config/profile_list.h"

#include "core/typedvalues/string_utils.h"

#include <algorithm>

namespace mv {

std::vector<TProfileEntry>::iterator TProfileList::MoveToHead(const std::string& normalised) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const TProfileEntry& e) { return e.Name == normalised; });
    if (found == entries_.end()) return found;
    std::rotate(entries_.begin(), found, found + 1);
    return entries_.begin();
}

void TProfileList::StoreProfile(const std::string& name, const WindowProfile& profile,
                                std::int32_t profileMax) {
    std::string normalised = LongPathName(name);
    const auto head = MoveToHead(normalised);
    if (head != entries_.end()) {
        head->Profile = profile;
        return;
    }
    entries_.insert(entries_.begin(), TProfileEntry{std::move(normalised), profile});
    const auto limit = static_cast<std::size_t>(std::max<std::int32_t>(profileMax, 1));
    if (entries_.size() > limit) entries_.resize(limit);
}

std::optional<WindowProfile> TProfileList::FetchProfile(const std::string& name) {
    const auto head = MoveToHead(LongPathName(name));
    if (head == entries_.end()) return std::nullopt;
    return head->Profile;
}

} // namespace mv
