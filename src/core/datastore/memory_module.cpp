#include "core/datastore/memory_module.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace mv {

std::int32_t TMemoryModule::RoundUpToTableStep(std::int64_t entries) {
    return static_cast<std::int32_t>(
        std::max<std::int64_t>(TableStep, (entries + TableStep - 1) / TableStep * TableStep));
}

TMemoryModule::TMemoryModule() {
    blocks_.resize(TableStep);
}

void TMemoryModule::Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    blocks_.resize(TableStep);
    pool_.ReleaseAll();
    head_ = tail_ = -1;
    hintBlock_ = -1;
    size_ = 0;
    liveBuffers_ = 0;
    firstFree_ = 0;
    source_.reset();
    fileBlocks_ = 0;
    fileBytes_ = 0;
    Modified = false;
}

void TMemoryModule::SwapData(TMemoryModule& other) {
    pool_.Swap(other.pool_);
    blocks_.swap(other.blocks_);
    std::swap(head_, other.head_);
    std::swap(tail_, other.tail_);
    std::swap(size_, other.size_);
    std::swap(liveBuffers_, other.liveBuffers_);
    std::swap(hintBlock_, other.hintBlock_);
    std::swap(hintStart_, other.hintStart_);
    std::swap(firstFree_, other.firstFree_);
    source_.swap(other.source_);
    std::swap(fileBlocks_, other.fileBlocks_);
    std::swap(fileBytes_, other.fileBytes_);
    const bool modified = other.Modified;
    other.Recount(Modified);
    Recount(modified);
}

// The operations keep size_ up to date as they go, so that an edit does not walk the whole
// chain again; debug builds check it against the chain.
void TMemoryModule::Recount(bool modified) {
    assert(ChainTotal() == size_);
    assert(HintHolds());
    minBlockCount_ = static_cast<std::int32_t>((MemoryBytes() + BlockSize - 1) / BlockSize);
    blockCount_ = liveBuffers_;
    Modified = modified;
    if (!Locked && OnChange) OnChange(*this);
}

std::int64_t TMemoryModule::ChainTotal() const {
    std::int64_t total = 0;
    for (std::int32_t b = head_; b != -1; b = blocks_[b].Next) total += blocks_[b].Used;
    return total;
}

bool TMemoryModule::HintHolds() const {
    if (hintBlock_ == -1) return true;
    std::int64_t start = 0;
    for (std::int32_t b = head_; b != -1; b = blocks_[b].Next) {
        if (b == hintBlock_) return start == hintStart_;
        start += blocks_[b].Used;
    }
    return false;
}

bool TMemoryModule::WorkGoesOn(std::int64_t bytes, std::int64_t done, std::int64_t total) const {
    if (stopped_) return false;
    sliceLeft_ -= bytes;
    if (sliceLeft_ > 0) return true;
    sliceLeft_ = WorkSlice;
    if (KeepGoing && !KeepGoing(done, total)) stopped_ = true;
    return !stopped_;
}

void TMemoryModule::Progress(std::string_view text) const {
    if (OnProgress) OnProgress(const_cast<TMemoryModule&>(*this), text);
}

int TMemoryModule::MemoryEfficiency() const {
    if (blockCount_ == 0) return 100;
    return static_cast<int>(MemoryBytes() * 100 / (std::int64_t{blockCount_} * BlockSize));
}

int TMemoryModule::CompactedEfficiency() const {
    if (minBlockCount_ == 0) return 100;
    return static_cast<int>(MemoryBytes() * 100 / (std::int64_t{minBlockCount_} * BlockSize));
}

// ---- block management ----

void TMemoryModule::ReserveEntries(std::int64_t count) {
    const std::int64_t freeEntries =
        static_cast<std::int64_t>(blocks_.size()) - liveBuffers_ - fileBlocks_;
    if (count > freeEntries)
        blocks_.resize(RoundUpToTableStep(static_cast<std::int64_t>(blocks_.size()) + count - freeEntries));
}

TBufferReserve TMemoryModule::ReserveBlocks(std::int64_t count) {
    ReserveEntries(count);
    TBufferReserve reserve(pool_, count);
    for (std::int64_t i = 0; i < count; ++i) {
        if (AllocateBuffer) AllocateBuffer();
        reserve.Add();
    }
    return reserve;
}

std::int32_t TMemoryModule::AllocEntry() {
    auto index = firstFree_;
    while (!blocks_[index].Free()) ++index; // ReserveEntries made sure a free entry exists
    blocks_[index] = TMemoryBlock{};
    firstFree_ = index + 1;
    return index;
}

std::int32_t TMemoryModule::AllocBlock(TBufferReserve& reserve) {
    const std::int32_t index = AllocEntry();
    blocks_[index].Data = reserve.Take();
    ++liveBuffers_;
    return index;
}

std::int32_t TMemoryModule::InsertBlockAfter(std::int32_t index, TBufferReserve& reserve) {
    return LinkEntryAfter(index, AllocBlock(reserve));
}

std::int32_t TMemoryModule::LinkEntryAfter(std::int32_t index, std::int32_t fresh) {
    TMemoryBlock& block = blocks_[fresh];
    if (index == -1) {
        block.Next = head_;
        if (head_ != -1) blocks_[head_].Prev = fresh;
        head_ = fresh;
    } else {
        block.Prev = index;
        block.Next = blocks_[index].Next;
        if (block.Next != -1) blocks_[block.Next].Prev = fresh;
        blocks_[index].Next = fresh;
    }
    if (block.Next == -1) tail_ = fresh;
    return fresh;
}

void TMemoryModule::FreeBlock(std::int32_t index) {
    TMemoryBlock& block = blocks_[index];
    if (block.Prev != -1) blocks_[block.Prev].Next = block.Next;
    if (block.Next != -1) blocks_[block.Next].Prev = block.Prev;
    if (head_ == index) head_ = block.Next;
    if (tail_ == index) tail_ = block.Prev;
    if (hintBlock_ == index) hintBlock_ = -1;
    if (block.InFile()) {
        --fileBlocks_;
        fileBytes_ -= block.Used;
    } else {
        pool_.Release(block.Data);
        --liveBuffers_;
    }
    block = TMemoryBlock{};
    firstFree_ = std::min(firstFree_, index);
}

void TMemoryModule::LinkFilledBlocks(std::int32_t index, const Byte* src, std::int64_t count,
                                     TBufferReserve& reserve) {
    while (count > 0) {
        index = InsertBlockAfter(index, reserve);
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, BlockSize));
        std::memcpy(blocks_[index].Data, src, n);
        blocks_[index].Used = n;
        src += n;
        count -= n;
    }
}

void TMemoryModule::AppendTail(const Byte* src, std::int64_t count, TBufferReserve& reserve) {
    const std::int32_t last = tail_;
    if (last != -1 && !blocks_[last].InFile()) {
        TMemoryBlock& block = blocks_[last];
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, BlockSize - block.Used));
        std::memcpy(block.Data + block.Used, src, n);
        block.Used += n;
        src += n;
        count -= n;
    }
    LinkFilledBlocks(last, src, count, reserve);
}

void TMemoryModule::CheckGrowth(std::int64_t bytes) const {
    if (size_ + bytes > MaxSize) throw std::bad_alloc();
}

// ---- cursors ----

// Walks the chain from whichever is nearest: the head, the tail, or the block found last.
TStorePos TMemoryModule::Locate(Address address) const {
    if (address < 0 || address >= size_) return {};
    std::int32_t block = head_;
    std::int64_t start = 0; // address of the first byte of `block`
    std::int64_t distance = address;
    const std::int64_t tailStart = std::int64_t{size_} - blocks_[tail_].Used;
    if (tailStart - address < distance) {
        block = tail_;
        start = tailStart;
        distance = std::abs(tailStart - address);
    }
    if (hintBlock_ != -1 && std::abs(hintStart_ - std::int64_t{address}) < distance) {
        block = hintBlock_;
        start = hintStart_;
    }
    while (address < start) {
        block = blocks_[block].Prev;
        start -= blocks_[block].Used;
    }
    while (address >= start + blocks_[block].Used) {
        start += blocks_[block].Used;
        block = blocks_[block].Next;
    }
    hintBlock_ = block;
    hintStart_ = static_cast<Address>(start);
    return {block, static_cast<std::int32_t>(address - start)};
}

bool TMemoryModule::StepNext(TStorePos& pos) const {
    if (pos.Block == -1) {
        pos.Offset = 0;
        return false;
    }
    if (++pos.Offset == blocks_[pos.Block].Used) pos = {blocks_[pos.Block].Next, 0};
    return pos.Block != -1;
}

bool TMemoryModule::StepPrev(TStorePos& pos) const {
    if (pos.Block == -1) {
        pos.Offset = 0;
        return false;
    }
    if (pos.Offset > 0) {
        --pos.Offset;
        return true;
    }
    const std::int32_t prev = blocks_[pos.Block].Prev;
    if (prev == -1) return false;
    pos = {prev, blocks_[prev].Used - 1};
    return true;
}

// ---- reading and editing ----

const Byte* TMemoryModule::BlockBytes(std::int32_t index) const {
    const TMemoryBlock& block = blocks_[index];
    return block.InFile() ? source_->Fetch(block.Source, block.Used) : block.Data;
}

void TMemoryModule::MarkFileBytes(Address address, std::span<char> marks) const {
    std::fill(marks.begin(), marks.end(), 0);
    if (fileBlocks_ == 0) return;
    TStorePos pos = Locate(address);
    for (std::size_t i = 0; i < marks.size() && pos.Block != -1; pos = {blocks_[pos.Block].Next, 0}) {
        const auto n = std::min<std::size_t>(marks.size() - i, static_cast<std::size_t>(blocks_[pos.Block].Used - pos.Offset));
        if (blocks_[pos.Block].InFile()) std::fill_n(marks.begin() + static_cast<std::ptrdiff_t>(i), n, 1);
        i += n;
    }
}

bool TMemoryModule::ReadBytes(Byte* dest, Address address, ByteCount count) const {
    if (count <= 0) return true;
    bool whole = true;
    TStorePos pos = Locate(address);
    while (count > 0 && pos.Block != -1) {
        const TMemoryBlock& block = blocks_[pos.Block];
        const auto n = static_cast<std::int32_t>(std::min<ByteCount>(count, block.Used - pos.Offset));
        if (const Byte* bytes = BlockBytes(pos.Block))
            std::memcpy(dest, bytes + pos.Offset, n);
        else
            std::memset(dest, 0, n), whole = false;
        dest += n;
        count -= n;
        pos = {block.Next, 0};
    }
    std::memset(dest, 0, count);
    return whole && count == 0;
}

void TMemoryModule::InsertBytes(const Byte* src, Address address, ByteCount count) {
    if (count <= 0 || address < 0) return;
    CheckGrowth(count);
    TStorePos pos = Locate(address);
    if (pos.Block == -1) {
        TBufferReserve reserve = ReserveBlocks(count / BlockSize + 1);
        AppendTail(src, count, reserve);
    } else if (blocks_[pos.Block].InFile()) {
        // The file block splits where the bytes go in; nothing of the file is read.
        const ByteCount buffers = (count + BlockSize - 1) / BlockSize;
        ReserveEntries(buffers + 1);
        TBufferReserve reserve = ReserveBlocks(buffers);
        std::int32_t insertAfter = blocks_[pos.Block].Prev;
        if (pos.Offset > 0) {
            SplitFileBlock(pos.Block, pos.Offset);
            insertAfter = pos.Block;
        } else {
            hintStart_ += count; // the new blocks go before the located one
        }
        if (insertAfter != -1 && !blocks_[insertAfter].InFile() &&
            count <= BlockSize - blocks_[insertAfter].Used) {
            std::memcpy(blocks_[insertAfter].Data + blocks_[insertAfter].Used, src, count);
            blocks_[insertAfter].Used += static_cast<std::int32_t>(count);
        } else {
            LinkFilledBlocks(insertAfter, src, count, reserve);
        }
    } else {
        TMemoryBlock* block = &blocks_[pos.Block];
        const std::int32_t prev = block->Prev;
        if (pos.Offset == 0 && prev != -1 && !blocks_[prev].InFile() &&
            count <= BlockSize - blocks_[prev].Used) {
            // Typing at a block boundary fills the previous block's free tail.
            std::memcpy(blocks_[prev].Data + blocks_[prev].Used, src, count);
            blocks_[prev].Used += count;
            hintStart_ += count; // the located block now starts later
        } else if (count > BlockSize - block->Used) {
            const std::int32_t splitBlocks = pos.Offset > 0 ? 1 : 0;
            TBufferReserve reserve =
                ReserveBlocks((count + BlockSize - 1) / BlockSize + splitBlocks);
            block = &blocks_[pos.Block]; // the table may have grown
            std::int32_t insertAfter = prev;
            if (pos.Offset > 0) {
                const std::int32_t tail = InsertBlockAfter(pos.Block, reserve);
                const std::int32_t moved = block->Used - pos.Offset;
                std::memcpy(blocks_[tail].Data, block->Data + pos.Offset, moved);
                blocks_[tail].Used = moved;
                block->Used = pos.Offset;
                insertAfter = pos.Block;
            } else {
                hintStart_ += count; // the new blocks go before the located one
            }
            LinkFilledBlocks(insertAfter, src, count, reserve);
        } else {
            Byte* at = block->Data + pos.Offset;
            std::memmove(at + count, at, block->Used - pos.Offset);
            std::memcpy(at, src, count);
            block->Used += count;
        }
    }
    size_ += count;
    Recount(true);
}

void TMemoryModule::OverwriteBytes(const Byte* src, Address address, ByteCount count) {
    if (count <= 0 || address < 0) return;
    const std::int64_t inside = std::clamp<std::int64_t>(std::int64_t{size_} - address, 0, count);
    const std::int64_t appended = count - inside;
    CheckGrowth(appended);
    // New bytes over a file block take its place in memory blocks, so nothing is read.
    const std::int64_t fileBlocks = FileBlocksIn(address, inside);
    std::int64_t buffers = appended == 0 ? 0 : appended / BlockSize + 1;
    if (fileBlocks > 0) buffers += inside / BlockSize + fileBlocks;
    ReserveEntries(buffers + 2 * fileBlocks);
    TBufferReserve reserve = ReserveBlocks(buffers);
    TStorePos pos = Locate(address);
    std::int64_t remaining = inside;
    while (remaining > 0) {
        const std::int32_t index = pos.Block;
        const std::int32_t next = blocks_[index].Next;
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, blocks_[index].Used - pos.Offset));
        if (blocks_[index].InFile())
            OverwriteFileBlock(index, pos.Offset, src, n, reserve);
        else
            std::memcpy(blocks_[index].Data + pos.Offset, src, n);
        src += n;
        remaining -= n;
        pos = {next, 0};
    }
    if (appended > 0) AppendTail(src, appended, reserve);
    size_ += static_cast<Address>(appended);
    Recount(true);
}

void TMemoryModule::DeleteBytes(Address address, ByteCount count) {
    if (address < 0 || address >= size_ || count <= 0) return;
    count = std::min(count, size_ - address);
    ReserveEntries(1); // a cut inside a file block splits it
    TStorePos pos = Locate(address);
    size_ -= count;
    while (count > 0 && pos.Block != -1) {
        const auto n = static_cast<std::int32_t>(
            std::min<ByteCount>(count, blocks_[pos.Block].Used - pos.Offset));
        const std::int32_t next = blocks_[pos.Block].Next;
        if (CutBlock(pos.Block, pos.Offset, n)) FreeBlock(pos.Block);
        count -= n;
        pos = {next, 0};
    }
    Recount(true);
}

bool TMemoryModule::CutBlock(std::int32_t index, std::int32_t offset, std::int32_t n) {
    TMemoryBlock& block = blocks_[index];
    const std::int32_t after = block.Used - offset - n;
    if (!block.InFile()) {
        std::memmove(block.Data + offset, block.Data + offset + n, after);
    } else {
        if (offset == 0)
            block.Source += n;
        else if (after > 0)
            SplitFileBlock(index, offset + n); // keeps the head and the cut bytes here
        fileBytes_ -= n;
    }
    block.Used -= n;
    return block.Used == 0;
}

// ---- compaction ----

void TMemoryModule::Compact() {
    if (minBlockCount_ == blockCount_) return;
    Progress("ガーベージコレクション実行中...");
    hintBlock_ = -1; // block starts move
    // File blocks stay where they are; each run of memory blocks between them packs alone.
    for (std::int32_t b = head_; b != -1; b = blocks_[b].Next) {
        if (blocks_[b].InFile()) continue;
        CompactRun(b);
        while (blocks_[b].Next != -1 && !blocks_[blocks_[b].Next].InFile()) b = blocks_[b].Next;
    }
    Progress("");
    Recount(Modified);
}

// The write cursor never passes the read cursor, so the run packs in place.
void TMemoryModule::CompactRun(std::int32_t first) {
    TStorePos write{first, 0};
    TStorePos read{first, 0};
    const auto inRun = [this](std::int32_t b) { return b != -1 && !blocks_[b].InFile(); };
    while (inRun(read.Block)) {
        TMemoryBlock& from = blocks_[read.Block];
        TMemoryBlock& to = blocks_[write.Block];
        const std::int32_t n = std::min(from.Used - read.Offset, BlockSize - write.Offset);
        std::memmove(to.Data + write.Offset, from.Data + read.Offset, n);
        read.Offset += n;
        write.Offset += n;
        if (read.Offset == from.Used) read = {from.Next, 0};
        if (write.Offset == BlockSize) {
            to.Used = BlockSize;
            write = {to.Next, 0};
        }
    }
    std::int32_t unused = write.Block;
    if (inRun(write.Block) && write.Offset > 0) {
        blocks_[write.Block].Used = write.Offset;
        unused = blocks_[write.Block].Next;
    }
    while (inRun(unused)) {
        const std::int32_t next = blocks_[unused].Next;
        FreeBlock(unused);
        unused = next;
    }
}

// ---- reading on demand ----

std::int64_t TMemoryModule::FileBlocksIn(Address address, ByteCount count) const {
    if (fileBlocks_ == 0 || count <= 0) return 0;
    std::int64_t found = 0;
    TStorePos pos = Locate(address);
    for (std::int64_t start = address - pos.Offset; pos.Block != -1 && start < address + count;
         pos = {blocks_[pos.Block].Next, 0}) {
        found += blocks_[pos.Block].InFile() ? 1 : 0;
        start += blocks_[pos.Block].Used;
    }
    return found;
}

// Typing forward over the file fills the memory block before the file block and cuts the
// file block's head; elsewhere the overwritten bytes become memory blocks of their own.
void TMemoryModule::OverwriteFileBlock(std::int32_t index, std::int32_t offset, const Byte* src,
                                       std::int32_t n, TBufferReserve& reserve) {
    const std::int32_t prev = blocks_[index].Prev;
    if (offset == 0 && prev != -1 && !blocks_[prev].InFile() && n <= BlockSize - blocks_[prev].Used) {
        std::memcpy(blocks_[prev].Data + blocks_[prev].Used, src, n);
        blocks_[prev].Used += n;
        if (CutBlock(index, 0, n))
            FreeBlock(index);
        else if (hintBlock_ == index)
            hintStart_ += n;
        return;
    }
    if (offset + n < blocks_[index].Used) SplitFileBlock(index, offset + n);
    std::int32_t middle = index;
    if (offset > 0) {
        SplitFileBlock(index, offset);
        middle = blocks_[index].Next;
    }
    LinkFilledBlocks(blocks_[middle].Prev, src, n, reserve);
    FreeBlock(middle);
}

void TMemoryModule::SplitFileBlock(std::int32_t index, std::int32_t offset) {
    const std::int32_t fresh = LinkEntryAfter(index, AllocEntry());
    TMemoryBlock& head = blocks_[index];
    blocks_[fresh].Source = head.Source + offset;
    blocks_[fresh].Used = head.Used - offset;
    head.Used = offset;
    ++fileBlocks_;
}

void TMemoryModule::Materialize(Address address, ByteCount count) {
    if (fileBlocks_ == 0 || count <= 0) return;
    TStorePos pos = Locate(address);
    while (count > 0 && pos.Block != -1) {
        const TStorePos at = pos;
        const auto end = static_cast<std::int32_t>(
            std::min<ByteCount>(blocks_[at.Block].Used, at.Offset + count));
        count -= end - at.Offset;
        pos = {blocks_[at.Block].Next, 0};
        if (blocks_[at.Block].InFile()) MaterializeBlock(at.Block, at.Offset, end);
    }
}

// Reads the whole pages of the file that hold bytes from..to-1 of the block before anything
// changes, then puts them in memory blocks where the block stood.
void TMemoryModule::MaterializeBlock(std::int32_t index, std::int32_t from, std::int32_t to) {
    const std::int64_t source = blocks_[index].Source;
    const std::int32_t used = blocks_[index].Used;
    from = static_cast<std::int32_t>(std::max<std::int64_t>(0, (source + from) / BlockSize * BlockSize - source));
    to = static_cast<std::int32_t>(std::min<std::int64_t>(used, (source + to + BlockSize - 1) / BlockSize * BlockSize - source));
    std::vector<Byte> bytes(static_cast<std::size_t>(to - from));
    if (const int error = source_->Read(bytes.data(), source + from, to - from); error != 0)
        throw TSourceError(error);
    const std::int32_t buffers = (to - from + BlockSize - 1) / BlockSize;
    ReserveEntries(buffers + 2);
    TBufferReserve reserve = ReserveBlocks(buffers);
    std::int32_t middle = index;
    if (to < used) SplitFileBlock(index, to);
    if (from > 0) {
        SplitFileBlock(index, from);
        middle = blocks_[index].Next;
    }
    LinkFilledBlocks(blocks_[middle].Prev, bytes.data(), to - from, reserve);
    if (hintBlock_ == middle) hintBlock_ = -1;
    FreeBlock(middle);
}

} // namespace mv
