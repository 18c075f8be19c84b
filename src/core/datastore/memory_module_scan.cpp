// Pattern and difference scans over the block chain. Each works block by block with
// memchr/memmem/memcmp over a block's live bytes and takes care only where a match or a
// run crosses into the next block. A block the file cannot give ends the scan as if the data
// ended there; the caller learns why from SourceFault.
#include "core/datastore/memory_module.h"

#include <algorithm>
#include <cstring>

namespace mv {

bool TMemoryModule::MatchesAt(TStorePos pos, const Byte* pattern, ByteCount length) const {
    while (length > 0) {
        if (pos.Block == -1) return false;
        const TMemoryBlock& block = blocks_[pos.Block];
        const auto n = static_cast<std::int32_t>(std::min<ByteCount>(length, block.Used - pos.Offset));
        const Byte* bytes = BlockBytes(pos.Block);
        if (bytes == nullptr || std::memcmp(bytes + pos.Offset, pattern, n) != 0) return false;
        pattern += n;
        length -= n;
        pos = {block.Next, 0};
    }
    return true;
}

// A match counts unless it equals the difference target at the same addresses throughout.
bool TMemoryModule::Accepted(const TSearchRecord& record, Address match) const {
    const TMemoryModule* target = record.DifferenceTarget;
    if (target == nullptr) return true;
    if (std::int64_t{match} + record.Length > target->Size()) return true;
    return !target->MatchesAt(target->Locate(match), record.Pattern, record.Length);
}

Address TMemoryModule::SearchPattern(const TSearchRecord& record) const {
    StartWork();
    if (record.Pattern == nullptr || record.Length < 1) return -1;
    return record.Direction == 0 ? SearchForward(record) : SearchBackward(record);
}

Address TMemoryModule::SearchForward(const TSearchRecord& record) const {
    const Byte* pattern = record.Pattern;
    const ByteCount length = record.Length;
    const std::int64_t start = std::max<std::int64_t>(0, std::int64_t{record.Position} + (record.IncludeStart ? 0 : 1));
    const std::int64_t lastCandidate = std::int64_t{size_} - length;
    if (start > lastCandidate) return -1;
    TStorePos pos = Locate(static_cast<Address>(start));
    std::int64_t blockStart = start - pos.Offset; // address of the block's first byte
    while (pos.Block != -1) {
        const TMemoryBlock& block = blocks_[pos.Block];
        if (!WorkGoesOn(block.Used, blockStart - start, size_ - start)) return -1;
        const Byte* data = BlockBytes(pos.Block);
        if (data == nullptr) return -1;
        // Matches that lie wholly inside the block.
        for (std::int32_t from = pos.Offset; std::int64_t{from} + length <= block.Used;) {
            const void* hit = ::memmem(data + from, block.Used - from, pattern, length);
            if (hit == nullptr) break;
            const auto offset = static_cast<std::int32_t>(static_cast<const Byte*>(hit) - data);
            if (Accepted(record, static_cast<Address>(blockStart + offset)))
                return static_cast<Address>(blockStart + offset);
            from = offset + 1;
        }
        // Matches that start in the block and run on into the next ones.
        for (auto offset = static_cast<std::int32_t>(std::max<std::int64_t>(pos.Offset, block.Used - length + 1));
             offset < block.Used; ++offset) {
            const std::int64_t address = blockStart + offset;
            if (address > lastCandidate) return -1;
            if (data[offset] == pattern[0] && MatchesAt({pos.Block, offset}, pattern, length) &&
                Accepted(record, static_cast<Address>(address)))
                return static_cast<Address>(address);
        }
        blockStart += block.Used;
        if (blockStart > lastCandidate) return -1;
        pos = {block.Next, 0};
    }
    return -1;
}

Address TMemoryModule::SearchBackward(const TSearchRecord& record) const {
    const Byte* pattern = record.Pattern;
    const ByteCount length = record.Length;
    std::int64_t start = std::int64_t{record.Position} - (record.IncludeStart ? 0 : 1);
    if (start == size_) --start;
    // A comparison that would run past the end is a mismatch, so later candidates never match.
    start = std::min(start, std::int64_t{size_} - length);
    if (start < 0) return -1;
    TStorePos pos = Locate(static_cast<Address>(start));
    std::int64_t blockStart = start - pos.Offset;
    for (;;) {
        if (!WorkGoesOn(blocks_[pos.Block].Used, start - blockStart, start)) return -1;
        const Byte* data = BlockBytes(pos.Block);
        if (data == nullptr) return -1;
        // Candidates from the cursor back to the block's first byte, found by their first byte.
        for (std::int32_t end = pos.Offset + 1; end > 0;) {
            const void* hit = ::memrchr(data, pattern[0], end);
            if (hit == nullptr) break;
            const auto offset = static_cast<std::int32_t>(static_cast<const Byte*>(hit) - data);
            const auto address = static_cast<Address>(blockStart + offset);
            if (MatchesAt({pos.Block, offset}, pattern, length) && Accepted(record, address))
                return address;
            end = offset;
        }
        const std::int32_t prev = blocks_[pos.Block].Prev;
        if (prev == -1) return -1;
        pos = {prev, blocks_[prev].Used - 1};
        blockStart -= blocks_[prev].Used;
    }
}

namespace {

// Two cursors at the same address of two stores, moved together a chunk at a time.
class TPairCursor {
public:
    TPairCursor(const TMemoryModule& a, const TMemoryModule& b, Address address)
        : a_(a), b_(b), pa_(a.Locate(address)), pb_(b.Locate(address)), address_(address) {
        Fetch();
    }

    [[nodiscard]] bool Valid() const { return da_ != nullptr && db_ != nullptr; }
    // Counts n more bytes of the scan; false once it must stop.
    [[nodiscard]] bool GoesOn(std::int32_t n) const {
        return a_.WorkGoesOn(n, address_, a_.Size());
    }
    [[nodiscard]] Address Position() const { return address_; }

    // Bytes from the cursors onward that are contiguous in both stores.
    [[nodiscard]] std::int32_t ForwardSpan() const {
        return std::min(Used(a_, pa_) - pa_.Offset, Used(b_, pb_) - pb_.Offset);
    }
    // Bytes from the start of both cursors' blocks up to and including the cursors.
    [[nodiscard]] std::int32_t BackwardSpan() const { return std::min(pa_.Offset, pb_.Offset) + 1; }
    [[nodiscard]] const Byte* A() const { return da_ + pa_.Offset; }
    [[nodiscard]] const Byte* B() const { return db_ + pb_.Offset; }

    // Moves forward by n <= ForwardSpan(); answers false when either store ends.
    bool Forward(std::int32_t n) {
        address_ += n;
        Advance(a_, pa_, n);
        Advance(b_, pb_, n);
        Fetch();
        return Valid();
    }
    // Moves back by n <= BackwardSpan(); answers false, without moving, at address 0.
    bool Back(std::int32_t n) {
        if (address_ - n < 0) return false;
        address_ -= n;
        Retreat(a_, pa_, n);
        Retreat(b_, pb_, n);
        Fetch();
        return true;
    }

private:
    static std::int32_t Used(const TMemoryModule& m, TStorePos p) { return m.Blocks()[p.Block].Used; }
    // The cursors' blocks' bytes, looked up once per block rather than per byte.
    void Fetch() {
        da_ = pa_.Block == -1 ? nullptr : a_.BlockBytes(pa_.Block);
        db_ = pb_.Block == -1 ? nullptr : b_.BlockBytes(pb_.Block);
    }
    static void Advance(const TMemoryModule& m, TStorePos& p, std::int32_t n) {
        p.Offset += n;
        if (p.Offset == Used(m, p)) p = {m.Blocks()[p.Block].Next, 0};
    }
    static void Retreat(const TMemoryModule& m, TStorePos& p, std::int32_t n) {
        p.Offset -= n;
        if (p.Offset < 0) {
            const std::int32_t prev = m.Blocks()[p.Block].Prev;
            p = {prev, m.Blocks()[prev].Used + p.Offset};
        }
    }

    const TMemoryModule& a_;
    const TMemoryModule& b_;
    TStorePos pa_;
    TStorePos pb_;
    Address address_;
    const Byte* da_ = nullptr;
    const Byte* db_ = nullptr;
};

// Forward over bytes that are equal (equal = true) or differ; answers false when a store
// ends first. Equal stretches go by memcmp, so identical data runs at memory speed.
bool SkipForward(TPairCursor& c, bool equal) {
    for (;;) {
        const std::int32_t span = c.ForwardSpan();
        if (!c.GoesOn(span)) return false;
        if (equal && std::memcmp(c.A(), c.B(), span) == 0) {
            if (!c.Forward(span)) return false;
            continue;
        }
        std::int32_t i = 0;
        while (i < span && (c.A()[i] == c.B()[i]) == equal) ++i;
        if (i < span) return c.Forward(i), true;
        if (!c.Forward(span)) return false;
    }
}

// Backward over equal or differing bytes; answers false when address 0 is passed with the
// bytes still matching the condition (the cursor then stays at 0).
bool SkipBackward(TPairCursor& c, bool equal) {
    for (;;) {
        if (!c.Valid()) return false;
        const std::int32_t span = c.BackwardSpan();
        if (!c.GoesOn(span)) return false;
        const Byte* a = c.A() - (span - 1);
        const Byte* b = c.B() - (span - 1);
        std::int32_t i = span - 1;
        if (equal && std::memcmp(a, b, span) == 0)
            i = -1;
        else
            while (i >= 0 && (a[i] == b[i]) == equal) --i;
        if (i >= 0) return c.Back(span - 1 - i), true;
        if (!c.Back(span)) {
            c.Back(span - 1);
            return false;
        }
    }
}

} // namespace

Address TMemoryModule::FindDifference(const TDifferenceRecord& record, ByteCount& runLength) const {
    StartWork();
    runLength = 0;
    const TMemoryModule* target = record.Target;
    if (target == nullptr || target->Size() == 0) return -1;
    Address start;
    if (record.Direction == 0) {
        TPairCursor c(*this, *target, record.Position);
        if (!c.Valid()) return -1;
        if (record.IncludeCurrent == 0 && !SkipForward(c, false)) return -1;
        if (!SkipForward(c, true)) return -1;
        start = c.Position();
    } else {
        // From the end of the longer store, look back from the end of the common length:
        // the bytes beyond it are never a run, but the ones before it are.
        const Address common = std::min(size_, target->Size());
        const Address position = std::min(record.Position, static_cast<Address>(common - 1));
        TPairCursor c(*this, *target, position);
        if (!c.Valid()) return -1;
        if (record.IncludeCurrent == 0 && !SkipBackward(c, false)) return -1;
        if (!SkipBackward(c, true)) return -1;
        // c stands on the run's last byte; its first byte follows the equal byte before it.
        start = SkipBackward(c, false) ? c.Position() + 1 : 0;
    }
    if (stopped_) return -1;
    TPairCursor run(*this, *target, start);
    SkipForward(run, false);
    if (stopped_) return -1;
    runLength = run.Position() - start;
    return start;
}

} // namespace mv
