#include "core/probe/range_digests.h"

#include <algorithm>

namespace mv {

TRangeDigests::TRangeDigests(const TMemoryModule& module, Address start, ByteCount count)
    : module_(module), start_(std::clamp<Address>(start, 0, module.Size())),
      count_(std::clamp<ByteCount>(count, 0, module.Size() - start_)),
      chunk_(static_cast<std::size_t>(std::min(count_, ChunkBytes))) {
    for (int kind = 0; kind < DigestKindCount; ++kind)
        digests_[static_cast<std::size_t>(kind)] = TDigest::Make(static_cast<TDigestKind>(kind));
}

bool TRangeDigests::Step() {
    const ByteCount size = std::min(count_ - done_, ChunkBytes);
    if (size > 0) {
        readFailed_ = !module_.ReadBytes(chunk_.data(), start_ + done_, size) || readFailed_;
        const std::span<const Byte> bytes(chunk_.data(), static_cast<std::size_t>(size));
        for (const auto& digest : digests_)
            digest->Add(bytes);
        done_ += size;
    }
    return done_ < count_;
}

std::optional<TDigestTexts> TRangeDigests::Result() {
    if (done_ < count_ || readFailed_) return std::nullopt;
    TDigestTexts texts;
    for (std::size_t kind = 0; kind < texts.size(); ++kind)
        texts[kind] = digests_[kind]->Finish();
    return texts;
}

std::optional<TDigestTexts> TRangeDigests::Of(const TMemoryModule& module, Address start,
                                              ByteCount count) {
    TRangeDigests digests(module, start, count);
    while (digests.Step()) {
    }
    return digests.Result();
}

} // namespace mv
