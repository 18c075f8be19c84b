#pragma once

#include <cstdint>

namespace mv {

// A byte offset from the start of a file. Files, messages and stored records are 32-bit,
// so a document holds at most 2^31 - 1 bytes.
using Address = std::int32_t;

// A byte count or length in the same range as Address.
using ByteCount = std::int32_t;

using Byte = std::uint8_t;

} // namespace mv
