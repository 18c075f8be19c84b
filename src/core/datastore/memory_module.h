#pragma once

#include "core/datastore/address.h"
#include "core/datastore/block_pool.h"
#include "core/datastore/file_source.h"
#include "core/datastore/save_file.h"
#include "core/datastore/save_journal.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

class TMemoryModule;

// One entry of the block table: a buffer of the module's pool, or a range of the file read
// on demand (Source is its offset there). An entry with neither is free and unlinked.
struct TMemoryBlock {
    Byte* Data = nullptr;
    std::int32_t Next = -1;
    std::int32_t Prev = -1;
    std::int32_t Used = 0;
    std::int64_t Source = -1;

    [[nodiscard]] bool InFile() const { return Source >= 0; }
    [[nodiscard]] bool Free() const { return Data == nullptr && Source < 0; }
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
// A large file is read on demand: its chain starts as file blocks of up to FileBlockSize
// bytes that refer to the file, and an edit turns only the pages it touches into memory
// blocks; an insertion or deletion inside a file block splits it without reading.
//
// Operations that allocate either complete or throw std::bad_alloc with the module
// unchanged; operations that must read the file throw TSourceError with the content
// unchanged. Addresses outside 0..Size-1 make reads return zeros and in-place operations do
// nothing, unless an operation says otherwise.
class TMemoryModule {
public:
    static constexpr std::int32_t BlockSize = TBlockPool::BufferBytes;
    static constexpr std::int32_t TableStep = 256;
    static constexpr std::int32_t FileBlockSize = 1 << 20;
    // The largest number of bytes a module holds.
    static constexpr std::int64_t MaxSize = std::numeric_limits<Address>::max();
    // A load threshold that reads every regular file whole.
    static constexpr std::int64_t NeverOnDemand = std::numeric_limits<std::int64_t>::max();

    using ChangeEvent = std::function<void(TMemoryModule&)>;
    using ProgressEvent = std::function<void(TMemoryModule&, std::string_view text)>;

    TMemoryModule();
    TMemoryModule(const TMemoryModule&) = delete;
    TMemoryModule& operator=(const TMemoryModule&) = delete;

    void Clear();
    // Takes the other store's data and gives it this one's, as after a load: the events, the
    // lock and whoever holds this store stay. Then this store reports the change.
    void SwapData(TMemoryModule& other);

    // Load and save. Both answer 0 or an errno value and report progress. A regular file of
    // `onDemandFrom` bytes or more, and a block device, are read on demand; other regular
    // files are read whole. Anything else is refused (EISDIR, EINVAL); after a failed load
    // the module is empty. A save writes by the given method, by default the one
    // ChooseSaveMethod picks, and fails with the source's fault rather than write bytes it
    // could not read.
    [[nodiscard]] int LoadFromFile(const std::string& fileName,
                                   std::int64_t onDemandFrom = NeverOnDemand);
    [[nodiscard]] int SaveToFile(const std::string& fileName) const;
    [[nodiscard]] int SaveToFile(const std::string& fileName, TSaveMethod method) const;
    // Whether fileName is the file read on demand.
    [[nodiscard]] bool WritesOverSource(const std::string& fileName) const;
    // Whether the data is the file read on demand with ranges overwritten in place: same
    // size, nothing moved. Only then can SaveChangedRanges write it.
    [[nodiscard]] bool ChangesStayInPlace() const;
    // Writes the memory blocks' ranges into the file read on demand under a rollback journal
    // at journalPath (see WriteJournaled); answers 0 or an errno value.
    [[nodiscard]] int SaveChangedRanges(const std::string& journalPath,
                                        const std::function<void(TJournalStep)>& onStep = {});

    // Bytes the file could not give (see SourceFault) and bytes past the end read as zeros;
    // answers whether every byte asked for was read from the data.
    bool ReadBytes(Byte* dest, Address address, ByteCount count) const;
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

    // The file read on demand, or null when the data is all in memory.
    [[nodiscard]] const TFileSource* Source() const { return source_.get(); }
    // 0 while the file behind the data reads as it did, else the errno of its fault.
    [[nodiscard]] int SourceFault() const { return source_ ? source_->Fault() : 0; }
    // Checks the file against what it was at the load (see TFileSource::Check).
    int CheckSource() const { return source_ ? source_->Check() : 0; }
    // A device's data keeps its size: it is written back in place.
    [[nodiscard]] bool FixedSize() const { return source_ && source_->Device(); }
    // Sets marks[i] for each byte from address on that the file holds (rather than memory).
    void MarkFileBytes(Address address, std::span<char> marks) const;
    // Bytes held in memory blocks rather than read from the file.
    [[nodiscard]] std::int64_t MemoryBytes() const { return size_ - fileBytes_; }

    [[nodiscard]] TStorePos Locate(Address address) const;
    // A block's live bytes: its buffer, or its file range through the cache (see
    // TFileSource::Fetch); nullptr when the file could not give them.
    [[nodiscard]] const Byte* BlockBytes(std::int32_t index) const;
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
    // Asked by long work (scans, loads, saves) after every WorkSlice bytes with how far it
    // got: `done` of `total` bytes. Answering false stops the work, which then ends as if it
    // found nothing (a scan) or failed with ECANCELED (a load or save), and Stopped() says so.
    static constexpr std::int64_t WorkSlice = std::int64_t{16} << 20;
    std::function<bool(std::int64_t done, std::int64_t total)> KeepGoing;
    [[nodiscard]] bool Stopped() const { return stopped_; }
    // Starts counting a new piece of long work, which WorkGoesOn then counts: `bytes` more
    // at `done` of `total`; false once the work must stop.
    void StartWork() const {
        stopped_ = false;
        sliceLeft_ = WorkSlice;
    }
    [[nodiscard]] bool WorkGoesOn(std::int64_t bytes, std::int64_t done, std::int64_t total) const;

    // The size of the file blocks a load on demand makes; tests make it small to see many
    // file blocks in a small file.
    std::int32_t FileBlockBytes = FileBlockSize;

private:
    void Recount(bool modified);
    void Progress(std::string_view text) const;

    [[nodiscard]] TBufferReserve ReserveBlocks(std::int64_t count);
    // Makes sure `count` more table entries are free.
    void ReserveEntries(std::int64_t count);
    std::int32_t AllocEntry();
    std::int32_t AllocBlock(TBufferReserve& reserve);
    std::int32_t LinkEntryAfter(std::int32_t index, std::int32_t fresh);
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

    // On-demand loading and the file blocks' share of the edits.
    [[nodiscard]] int LinkFileBlocks(int fd, const std::string& fileName, bool device);
    // Splits a file block so that a new one starts `offset` bytes into it (needs a free entry).
    void SplitFileBlock(std::int32_t index, std::int32_t offset);
    // Turns the pages of file blocks that overlap the range into memory blocks; the content
    // stays as it was.
    void Materialize(Address address, ByteCount count);
    void MaterializeBlock(std::int32_t index, std::int32_t from, std::int32_t to);
    [[nodiscard]] std::int64_t FileBlocksIn(Address address, ByteCount count) const;
    void OverwriteFileBlock(std::int32_t index, std::int32_t offset, const Byte* src,
                            std::int32_t n, TBufferReserve& reserve);
    // Removes n bytes of a block from offset on; answers whether the block is now empty.
    bool CutBlock(std::int32_t index, std::int32_t offset, std::int32_t n);
    void CompactRun(std::int32_t first);
    [[nodiscard]] int WriteFileBlock(int fd, const TMemoryBlock& block) const;

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
    // overSource: fd is the file read on demand, whose unmoved ranges are skipped.
    [[nodiscard]] int WriteBlocks(int fd, bool overSource) const;
    // Whether every file block stands at its own offset in the file.
    [[nodiscard]] bool FileBlocksStandStill() const;

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
    std::shared_ptr<TFileSource> source_;
    mutable bool stopped_ = false;
    mutable std::int64_t sliceLeft_ = WorkSlice;
    std::int32_t fileBlocks_ = 0; // entries that refer to the file
    std::int64_t fileBytes_ = 0;  // bytes those entries hold
};

} // namespace mv
