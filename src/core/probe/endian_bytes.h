#pragma once

#include "core/datastore/address.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mv {

// The unsigned value of the first size bytes (1 to 8; the caller has checked that there are
// that many), taken in the given byte order.
[[nodiscard]] inline std::uint64_t ReadUnsigned(std::span<const Byte> bytes, std::size_t size,
                                                std::endian order) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value = value << 8 | bytes[order == std::endian::big ? i : size - 1 - i];
    return value;
}

// The low size bytes of value in the given byte order: the bytes that ReadUnsigned reads back.
[[nodiscard]] inline std::vector<Byte> UnsignedBytes(std::uint64_t value, std::size_t size,
                                                     std::endian order) {
    std::vector<Byte> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[order == std::endian::big ? size - 1 - i : i] = static_cast<Byte>(value >> (8 * i));
    return bytes;
}

} // namespace mv
