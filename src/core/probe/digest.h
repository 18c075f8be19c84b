#pragma once

#include "core/datastore/address.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace mv {

enum class TDigestKind : int { Crc32, Md5, Sha1, Sha256 };
inline constexpr int DigestKindCount = 4;

// "CRC-32", "MD5", "SHA-1", "SHA-256".
[[nodiscard]] std::string_view DigestName(TDigestKind kind);

// A checksum or hash over a byte stream that arrives in chunks, so that a selection of any
// size is read a block at a time: Add each chunk in order, then Finish. CRC-32 comes from
// zlib, the hashes from libcrypto.
class TDigest {
public:
    [[nodiscard]] static std::unique_ptr<TDigest> Make(TDigestKind kind);

    TDigest() = default;
    TDigest(const TDigest&) = delete;
    TDigest& operator=(const TDigest&) = delete;
    virtual ~TDigest() = default;

    virtual void Add(std::span<const Byte> bytes) = 0;
    // The digest of every byte added since the start or the last Finish, in lower-case
    // hexadecimal; the next Add begins a new stream. Empty when libcrypto could not compute
    // it (an algorithm that the system's policy disables), never a wrong value.
    [[nodiscard]] virtual std::string Finish() = 0;
};

} // namespace mv
