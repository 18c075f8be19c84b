#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// Byte-level helpers for filer texts, which are Shift JIS. A double-byte character's
// trail byte can equal an ASCII letter, "{", "}" or "|", so every scan here steps over
// double-byte characters whole.

// 2 when the bytes at `at` form a double-byte character, else 1.
[[nodiscard]] std::size_t CharLength(std::string_view text, std::size_t at);

// Upper-cases the single-byte ASCII letters only, leaving double-byte characters intact.
[[nodiscard]] std::string UpperAscii(std::string_view text);

// The lines of a text whose lines end in CR LF, CR or LF; a break at the very end does
// not start another line.
[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text);

// Reads a file of at most `limit` bytes; answers 0 or the errno of the failure. A longer file
// is read no further than its first `limit` bytes, which `bytes` then holds, and the answer is
// EFBIG.
[[nodiscard]] int ReadFileStart(const std::string& fileName, std::size_t limit, std::string& bytes);

} // namespace mv
