#include "core/typedvalues/string_utils.h"

#include <cstdlib>
#include <memory>

namespace mv {

std::string LongPathName(const std::string& path) {
    // The file system sees a name only up to its first NUL, which would resolve another file.
    if (path.find('\0') != std::string::npos) return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::string RepeatString(std::string_view text, int count) {
    std::string out;
    if (count <= 0) return out;
    out.reserve(text.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

std::size_t SplitToList(std::string_view text, std::string_view delimiter,
                        std::vector<std::string>& list) {
    list.clear();
    while (!text.empty()) {
        const std::size_t at = delimiter.empty() ? std::string_view::npos : text.find(delimiter);
        if (at == std::string_view::npos) {
            list.emplace_back(text);
            break;
        }
        list.emplace_back(text.substr(0, at));
        text.remove_prefix(at + delimiter.size());
    }
    return list.size();
}

} // namespace mv
