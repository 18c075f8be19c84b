#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mv {

// Stored formats are little endian on every host; these never depend on the host's order.

[[nodiscard]] inline std::uint32_t LoadLe32(std::span<const std::uint8_t, 4> bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline void StoreLe32(std::span<std::uint8_t, 4> bytes, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace mv
