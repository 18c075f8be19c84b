#pragma once

#include "core/datastore/memory_module.h"
#include "core/probe/digest.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mv {

// A selection up to this size is digested as soon as it stands; a larger one only on request,
// with its progress shown and a way to stop, since reading it takes seconds.
inline constexpr ByteCount DigestAtOnceLimit = ByteCount{64} << 20;

// The digests in the order of TDigestKind, lower-case hexadecimal; a text is empty where the
// system refuses that algorithm.
using TDigestTexts = std::array<std::string, DigestKindCount>;

// CRC-32, MD5, SHA-1 and SHA-256 of a range of the data, read through the store a chunk at a
// time, so that a caller may show progress or stop between chunks. The store must not change
// between the steps.
class TRangeDigests {
public:
    static constexpr ByteCount ChunkBytes = ByteCount{1} << 20;

    // The range is cut back to the data.
    TRangeDigests(const TMemoryModule& module, Address start, ByteCount count);
    TRangeDigests(const TRangeDigests&) = delete;
    TRangeDigests& operator=(const TRangeDigests&) = delete;

    // Reads and digests the next chunk; answers whether chunks remain.
    bool Step();
    [[nodiscard]] ByteCount Done() const { return done_; }
    [[nodiscard]] ByteCount Count() const { return count_; }
    // Once every chunk is in: the digests, or nothing when the file behind the data could not
    // give some of its bytes, which would have made them wrong.
    [[nodiscard]] std::optional<TDigestTexts> Result();

    // Every step at once.
    [[nodiscard]] static std::optional<TDigestTexts> Of(const TMemoryModule& module, Address start,
                                                        ByteCount count);

private:
    const TMemoryModule& module_;
    Address start_;
    ByteCount count_;
    ByteCount done_ = 0;
    bool readFailed_ = false;
    std::vector<Byte> chunk_;
    std::array<std::unique_ptr<TDigest>, DigestKindCount> digests_;
};

} // namespace mv
