#pragma once

#include <cstdint>

namespace mv {

// Big-endian values are shown and entered by swapping the little-endian form.

[[nodiscard]] constexpr std::uint16_t Swap16(std::uint16_t value) {
    return static_cast<std::uint16_t>((value << 8) | (value >> 8));
}

[[nodiscard]] constexpr std::uint32_t Swap32(std::uint32_t value) {
    return (value << 24) | ((value & 0x0000FF00u) << 8) | ((value >> 8) & 0x0000FF00u) |
           (value >> 24);
}

} // namespace mv
