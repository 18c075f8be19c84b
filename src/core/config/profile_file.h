#pragma once

#include "core/config/window_profile.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The profile file: "MvPr_Profile", the entry count, the size of the whole file, then per
// entry the name's length, the name's bytes and the 32-byte profile; little endian.
inline constexpr std::string_view ProfileFileName = "_profile";

// The entries of a file in file order. A file without the header or whose size field is not
// its size (one cut short) gives none. Otherwise up to the count's number of entries are
// taken, as long as they are whole: an entry that would reach past the end, or has a negative
// name length, ends the list, and bytes after the last entry are ignored.
[[nodiscard]] std::vector<TProfileEntry> ParseProfileFile(std::span<const std::uint8_t> bytes);
// The whole file for the entries, in their order.
[[nodiscard]] std::vector<std::uint8_t>
SerializeProfileFile(std::span<const TProfileEntry> entries);

// The entries of folder/_profile; none when it is missing, unreadable or malformed.
[[nodiscard]] std::vector<TProfileEntry> LoadProfileFile(const std::string& folder);
// Replaces folder/_profile by the file for the entries, answering errno (0 for success). The
// file is written beside the old one and renamed over it, so a failure leaves the old intact.
[[nodiscard]] int SaveProfileFile(const std::string& folder,
                                  std::span<const TProfileEntry> entries);

} // namespace mv
