#pragma once

#include "core/datastore/address.h"
#include "core/datastore/block_pool.h"
#include "core/datastore/save_file.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

class TMemoryModule;

// One entry of the block table. An entry without a buffer is free and unlinked; the buffer
// belongs to the module's pool.
struct TMemoryBlock {
    Byte* Data = nullptr;
    std::int32_t Next = -1;
    std::int32_t Prev = -1;
    std::int32_t Used = 0;
};

// A cursor into the chain: a table index (-1 = no position) and an offset inside it.
struct TStorePos {
    std::int32_t Block = -1;
    std::int32_t Offset = 0;
};

// A pattern scan request; see SearchPattern.
struct TSearchRecord {
    const Byte* Pattern = nullptr;
    ByteCount Length = 0;
    Address Position = 0;
    std::uint8_t Direction = 0;    // 0 forward (toward higher addresses), 1 backward
    std::uint8_t IncludeStart = 1; // 1: a match at Position counts; 0: start one step further
    const TMemoryModule* DifferenceTarget = nullptr; // only matches differing from it count
};

// A difference scan request; see FindDifference.
struct TDifferenceRecord {
    const TMemoryModule* Target = nullptr;
    Address Position = 0;
    std::uint8_t Direction = 0;      // 0 forward, 1 backward
    std::uint8_t IncludeCurrent = 1; // 0: the run under Position is skipped first
};

// The bytes of one document: a chain of 4096-byte blocks, so that an insertion or deletion
// anywhere costs one walk of the chain and at most one block's worth of byte moves.
//
// Operations that allocate either complete or throw std::bad_alloc with the module
// unchanged. Addresses outside 0..Size-1 make reads return zeros and in-place operations do
// nothing, unless an operation says otherwise.
class TMemoryModule {
public:
    static constexpr std::int32_t BlockSize = TBlockPool::BufferBytes;
    static constexpr std::int32_t TableStep = 256;
    // The largest number of bytes a module holds: addresses are signed 32-bit.
    static constexpr std::int64_t MaxSize = std::numeric_limits<Address>::max();

    using ChangeEvent = std::function<void(TMemoryModule&)>;
    using ProgressEvent = std::function<void(TMemoryModule&, std::string_view text)>;

    TMemoryModule();
    TMemoryModule(const TMemoryModule&) = delete;
    TMemoryModule& operator=(const TMemoryModule&) = delete;

    void Clear();
    // Takes the other store's data and gives it this one's, as after a load: the events, the
    // lock and whoever holds this store stay. Then this store reports the change.
    void SwapData(TMemoryModule& other);

    // Whole-file load and save. Both answer 0 or an errno value and report progress.
    // A load refuses files of 2^31 bytes or more (EFBIG) and anything but a regular file
    // (EISDIR, EINVAL); after a failed load the module is empty. A save writes by the given
    // method, by default the one ChooseSaveMethod picks.
    [[nodiscard]] int LoadFromFile(const std::string& fileName);
    [[nodiscard]] int SaveToFile(const std::string& fileName) const;
    [[nodiscard]] int SaveToFile(const std::string& fileName, TSaveMethod method) const;

    void ReadBytes(Byte* dest, Address address, ByteCount count) const;
    void InsertBytes(const Byte* src, Address address, ByteCount count);
    void OverwriteBytes(const Byte* src, Address address, ByteCount count);
    void DeleteBytes(Address address, ByteCount count);

    void NotBits(Address address, ByteCount count);
    void ReverseBits(Address address, ByteCount count);
    void RotateBitsLeft(Address address, ByteCount count, std::int32_t bits);
    void RotateBitsRight(Address address, ByteCount count, std::int32_t bits);
    void ReverseBytes(Address address, ByteCount count);
    void IncrementLittle(Address address, ByteCount count);
    void DecrementLittle(Address address, ByteCount count);
    void IncrementBig(Address address, ByteCount count);
    void DecrementBig(Address address, ByteCount count);

    // The address of the first accepted match in the record's direction, or -1.
    [[nodiscard]] Address SearchPattern(const TSearchRecord& record) const;
    // The start of the next run of bytes that differ from the target, or -1; the run's
    // length goes to runLength (0 without a run).
    [[nodiscard]] Address FindDifference(const TDifferenceRecord& record,
                                         ByteCount& runLength) const;

    // Packs the chain into full blocks in place; Modified stays as it was.
    void Compact();

    void SetModified(bool modified) { Modified = modified; }

    [[nodiscard]] TStorePos Locate(Address address) const;
    bool StepNext(TStorePos& pos) const;
    bool StepPrev(TStorePos& pos) const;

    // Size * 100 / (BlockCount * 4096), 100 for an empty table.
    [[nodiscard]] int MemoryEfficiency() const;
    // The efficiency a compaction would reach.
    [[nodiscard]] int CompactedEfficiency() const;

    [[nodiscard]] Address Size() const { return size_; }
    [[nodiscard]] std::int32_t BlockCount() const { return blockCount_; }
    [[nodiscard]] std::int32_t MinBlockCount() const { return minBlockCount_; }
    [[nodiscard]] std::int32_t Head() const { return head_; }
    [[nodiscard]] bool IsModified() const { return Modified; }
    [[nodiscard]] const std::vector<TMemoryBlock>& Blocks() const { return blocks_; }

    ChangeEvent OnChange;
    ProgressEvent OnProgress;
    // While set, Recount does not fire OnChange (compound operations set it around the
    // inner operations they call).
    bool Locked = false;
    // Runs before each block buffer is allocated; tests set it to one that throws
    // std::bad_alloc to see the store run out of memory.
    std::function<void()> AllocateBuffer;

private:
    void Recount(bool modified);
    void Progress(std::string_view text) const;

    [[nodiscard]] TBufferReserve ReserveBlocks(std::int64_t count);
    std::int32_t AllocBlock(TBufferReserve& reserve);
    std::int32_t InsertBlockAfter(std::int32_t index, TBufferReserve& reserve);
    void FreeBlock(std::int32_t index);
    [[nodiscard]] std::int64_t ChainTotal() const;
    [[nodiscard]] bool HintHolds() const;
    // Links fresh blocks after `index` (-1: at the head), filled with count bytes.
    void LinkFilledBlocks(std::int32_t index, const Byte* src, std::int64_t count,
                          TBufferReserve& reserve);
    // Appends count bytes after the last chain block, filling its free tail first.
    void AppendTail(const Byte* src, std::int64_t count, TBufferReserve& reserve);
    // Throws std::bad_alloc when growing by `bytes` would pass the largest address.
    void CheckGrowth(std::int64_t bytes) const;

    // Byte and bit work shared by the public operations; none of them recounts.
    void ReverseRange(Address address, ByteCount count);
    void RotateLeft(Address address, ByteCount count, std::int64_t bits);
    void Carry(Address address, ByteCount count, bool littleEndian, int delta);
    template <typename ChunkFn> void ForEachChunk(Address address, ByteCount count, ChunkFn fn);

    // Whether the bytes from pos on equal the pattern (false when the chain ends first).
    [[nodiscard]] bool MatchesAt(TStorePos pos, const Byte* pattern, ByteCount length) const;
    [[nodiscard]] bool Accepted(const TSearchRecord& record, Address match) const;
    [[nodiscard]] Address SearchForward(const TSearchRecord& record) const;
    [[nodiscard]] Address SearchBackward(const TSearchRecord& record) const;

    [[nodiscard]] static std::int32_t RoundUpToTableStep(std::int64_t entries);
    [[nodiscard]] int LoadBlocks(int fd, std::int64_t expectedBlocks);
    [[nodiscard]] int WriteBlocks(int fd) const;

    TBlockPool pool_;
    std::vector<TMemoryBlock> blocks_;
    std::int32_t head_ = -1;
    std::int32_t tail_ = -1;
    Address size_ = 0;
    std::int32_t blockCount_ = 0;
    std::int32_t minBlockCount_ = 0;
    bool Modified = false;
    std::int32_t liveBuffers_ = 0; // entries that own a buffer, kept as blocks come and go
    // The block Locate found last and the address of its first byte, so that work near the
    // previous place (typing, replacing) does not walk from an end of the chain. Every edit
    // keeps it true or drops it.
    mutable std::int32_t hintBlock_ = -1;
    mutable Address hintStart_ = 0;
    std::int32_t firstFree_ = 0;   // no entry below this index is free
};

} // namespace mv
