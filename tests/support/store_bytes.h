#pragma once

#include "core/datastore/memory_module.h"

#include <vector>

namespace mv::test {

using ByteVector = std::vector<Byte>;

// The whole content of a store, read through its public interface.
inline ByteVector Contents(const TMemoryModule& module) {
    ByteVector bytes(static_cast<std::size_t>(module.Size()));
    module.ReadBytes(bytes.data(), 0, module.Size());
    return bytes;
}

inline void Append(TMemoryModule& module, const ByteVector& bytes) {
    module.InsertBytes(bytes.data(), module.Size(), static_cast<ByteCount>(bytes.size()));
}

// Bytes 0, 1, 2, ... wrapping at 251 so that block-sized stretches never repeat in step.
inline ByteVector Sequence(std::size_t count, int seed = 0) {
    ByteVector bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<Byte>((i + seed) % 251);
    return bytes;
}

// The Used counts of the chain's blocks in chain order.
inline std::vector<std::int32_t> ChainUsed(const TMemoryModule& module) {
    std::vector<std::int32_t> used;
    for (std::int32_t b = module.Head(); b != -1; b = module.Blocks()[b].Next)
        used.push_back(module.Blocks()[b].Used);
    return used;
}

} // namespace mv::test
