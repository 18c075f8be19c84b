#include "core/dialogs/rotate_count.h"

#include <charconv>

namespace mv {

std::int32_t RotateCount(std::string_view text) {
    std::int32_t count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    return error == std::errc{} && stop == end ? count : 0;
}

std::int64_t RotateBits(std::int32_t count, bool bytes) {
    return bytes ? std::int64_t{count} * 8 : count;
}

bool RotateCountAccepts(char32_t typed) {
    return typed < 0x20 || (typed >= U'0' && typed <= U'9');
}

} // namespace mv
