#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The canonical absolute form of the path of an existing file or folder: '.' and '..'
// resolved, relative paths made absolute, symbolic links followed (so two names of one
// file become equal), no trailing '/' except for the root "/" itself. When any component
// cannot be found, the path comes back exactly as given.
[[nodiscard]] std::string LongPathName(const std::string& path);

// The text repeated count times; empty for a count of 0 or less.
[[nodiscard]] std::string RepeatString(std::string_view text, int count);

// Replaces the list by the parts of text between delimiters and answers its new size.
// An empty text gives no parts, two adjacent delimiters an empty part, and a delimiter at
// the very end no extra empty part. An empty delimiter never matches.
std::size_t SplitToList(std::string_view text, std::string_view delimiter,
                        std::vector<std::string>& list);

} // namespace mv
