#include "core/probe/digest.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace mv {
namespace {

using Digests = std::array<const char*, DigestKindCount>; // CRC-32, MD5, SHA-1, SHA-256

std::span<const Byte> BytesOf(std::string_view text) {
    return {reinterpret_cast<const Byte*>(text.data()), text.size()};
}

void ExpectDigests(const Digests& expected, auto feed) {
    for (int kind = 0; kind < DigestKindCount; ++kind) {
        const auto digest = TDigest::Make(TDigestKind(kind));
        feed(*digest);
        EXPECT_EQ(digest->Finish(), expected[std::size_t(kind)]) << DigestName(TDigestKind(kind));
    }
}

TEST(Digest, MatchesTheKnownVectors) {
    ExpectDigests({"00000000", "d41d8cd98f00b204e9800998ecf8427e",
                   "da39a3ee5e6b4b0d3255bfef95601890afd80709",
                   "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
                  [](TDigest&) {});
    ExpectDigests({"352441c2", "900150983cd24fb0d6963f7d28e17f72",
                   "a9993e364706816aba3e25717850c26c9cd0d89d",
                   "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
                  [](TDigest& digest) { digest.Add(BytesOf("abc")); });
}

// A million 'a's in chunks of uneven sizes, empty ones among them, twice over: the second
// stream starts afresh after Finish.
TEST(Digest, TakesAStreamInChunks) {
    const std::string text(1'000'000, 'a');
    auto feed = [&text](TDigest& digest) {
        for (std::size_t at = 0, size = 0; at < text.size();
             at += size, size = (size * 7 + 3) % 4099)
            digest.Add(BytesOf(std::string_view(text).substr(at, size)));
        digest.Add({});
    };
    const Digests million{"dc25bfbc", "7707d6ae4e027c70eea2a935c2296f21",
                          "34aa973cd4c4daa4f61eeb2bdbad27316534016f",
                          "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"};
    ExpectDigests(million, feed);
    ExpectDigests(million, [&feed](TDigest& digest) {
        digest.Add(BytesOf("abc"));
        (void)digest.Finish();
        feed(digest);
    });
}

} // namespace
} // namespace mv
