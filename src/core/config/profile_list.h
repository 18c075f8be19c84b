#pragma once

#include "core/config/window_profile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mv {

// The window profile of each recently closed file, most recently used first. Names are
// normalised with LongPathName and compared exactly: file names on Linux are case-sensitive.
class TProfileList {
public:
    // Overwrites the name's profile and moves it to the head, or inserts it there; then drops
    // the least recently used entries beyond profileMax (a limit below 1 counts as 1).
    void StoreProfile(const std::string& name, const WindowProfile& profile,
                      std::int32_t profileMax);
    // The name's profile, which becomes the most recently used; nothing when there is none.
    [[nodiscard]] std::optional<WindowProfile> FetchProfile(const std::string& name);

    // Appends an entry read from the profile file, as it was stored.
    void Append(TProfileEntry entry) { entries_.push_back(std::move(entry)); }
    void Clear() { entries_.clear(); }
    [[nodiscard]] std::span<const TProfileEntry> Entries() const { return entries_; }

private:
    // The entry of that normalised name moved to the head, or end().
    std::vector<TProfileEntry>::iterator MoveToHead(const std::string& normalised);

    std::vector<TProfileEntry> entries_;
};

} // namespace mv
