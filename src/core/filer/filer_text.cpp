#include "core/filer/filer_text.h"

#include "core/typedvalues/char_set.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace mv {

std::size_t CharLength(std::string_view text, std::size_t at) {
    if (at + 1 < text.size() && IsShiftJisPair(static_cast<std::uint8_t>(text[at]),
                                               static_cast<std::uint8_t>(text[at + 1])))
        return 2;
    return 1;
}

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (std::size_t at = 0; at < upper.size(); at += CharLength(upper, at))
        if (upper[at] >= 'a' && upper[at] <= 'z') upper[at] = static_cast<char>(upper[at] - 32);
    return upper;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n') continue;
        lines.emplace_back(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        start = at + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

int ReadFileStart(const std::string& fileName, std::size_t limit, std::string& bytes) {
    bytes.clear();
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) return errno != 0 ? errno : EIO;
    char buffer[65536];
    std::size_t got;
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    while (bytes.size() <= limit &&
           (got = std::fread(buffer, 1, std::min(sizeof buffer, limit + 1 - bytes.size()),
                             file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get())) return errno != 0 ? errno : EIO;
    if (bytes.size() <= limit) return 0;
    bytes.resize(limit);
    return EFBIG;
}

} // namespace mv
