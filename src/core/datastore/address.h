#pragma once

#include <cstdint>

namespace mv {

// A byte offset from the start of a file. Files of any size are edited, so addresses are
// 64-bit; stored records and the clipboard's own format keep their 32-bit fields and refuse
// what they cannot hold.
using Address = std::int64_t;

// A byte count or length in the same range as Address.
using ByteCount = std::int64_t;

using Byte = std::uint8_t;

// How many hexadecimal digits an address of data of `size` bytes is shown with: 8 below
// 4 GiB, else as many as the largest address needs.
[[nodiscard]] constexpr int AddressDigits(std::int64_t size) {
    if (size <= std::int64_t{1} << 32) return 8;
    int digits = 0;
    for (auto last = static_cast<std::uint64_t>(size - 1); last != 0; last >>= 4) ++digits;
    return digits;
}

} // namespace mv
