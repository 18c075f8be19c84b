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
    const bool modified = other.Modified;
    other.Recount(Modified);
    Recount(modified);
}

// The operations keep size_ up to date as they go, so that an edit does not walk the whole
// chain again; debug builds check it against the chain.
void TMemoryModule::Recount(bool modified) {
    assert(ChainTotal() == size_);
    assert(HintHolds());
    minBlockCount_ = static_cast<std::int32_t>((std::int64_t{size_} + BlockSize - 1) / BlockSize);
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

void TMemoryModule::Progress(std::string_view text) const {
    if (OnProgress) OnProgress(const_cast<TMemoryModule&>(*this), text);
}

int TMemoryModule::MemoryEfficiency() const {
    if (blockCount_ == 0) return 100;
    return static_cast<int>(std::int64_t{size_} * 100 / (std::int64_t{blockCount_} * BlockSize));
}

int TMemoryModule::CompactedEfficiency() const {
    if (minBlockCount_ == 0) return 100;
    return static_cast<int>(std::int64_t{size_} * 100 / (std::int64_t{minBlockCount_} * BlockSize));
}

// ---- block management ----

TBufferReserve TMemoryModule::ReserveBlocks(std::int64_t count) {
    const std::int64_t freeEntries = static_cast<std::int64_t>(blocks_.size()) - liveBuffers_;
    if (count > freeEntries)
        blocks_.resize(RoundUpToTableStep(static_cast<std::int64_t>(blocks_.size()) + count - freeEntries));
    TBufferReserve reserve(pool_, count);
    for (std::int64_t i = 0; i < count; ++i) {
        if (AllocateBuffer) AllocateBuffer();
        reserve.Add();
    }
    return reserve;
}

std::int32_t TMemoryModule::AllocBlock(TBufferReserve& reserve) {
    auto index = firstFree_;
    while (blocks_[index].Data) ++index; // ReserveBlocks made sure a free entry exists
    TMemoryBlock& block = blocks_[index];
    block.Data = reserve.Take();
    block.Next = block.Prev = -1;
    block.Used = 0;
    ++liveBuffers_;
    firstFree_ = index + 1;
    return index;
}

std::int32_t TMemoryModule::InsertBlockAfter(std::int32_t index, TBufferReserve& reserve) {
    const std::int32_t fresh = AllocBlock(reserve);
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
    pool_.Release(block.Data);
    block = TMemoryBlock{};
    --liveBuffers_;
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
    if (last != -1) {
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

void TMemoryModule::ReadBytes(Byte* dest, Address address, ByteCount count) const {
    if (count <= 0) return;
    TStorePos pos = Locate(address);
    while (count > 0 && pos.Block != -1) {
        const TMemoryBlock& block = blocks_[pos.Block];
        const std::int32_t n = std::min(count, block.Used - pos.Offset);
        std::memcpy(dest, block.Data + pos.Offset, n);
        dest += n;
        count -= n;
        pos = {block.Next, 0};
    }
    std::memset(dest, 0, count);
}

void TMemoryModule::InsertBytes(const Byte* src, Address address, ByteCount count) {
    if (count <= 0 || address < 0) return;
    CheckGrowth(count);
    const TStorePos pos = Locate(address);
    if (pos.Block == -1) {
        TBufferReserve reserve = ReserveBlocks(count / BlockSize + 1);
        AppendTail(src, count, reserve);
    } else {
        TMemoryBlock* block = &blocks_[pos.Block];
        const std::int32_t prev = block->Prev;
        if (pos.Offset == 0 && prev != -1 && count <= BlockSize - blocks_[prev].Used) {
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
    TBufferReserve reserve = ReserveBlocks(appended == 0 ? 0 : appended / BlockSize + 1);
    TStorePos pos = Locate(address);
    std::int64_t remaining = inside;
    while (remaining > 0) {
        TMemoryBlock& block = blocks_[pos.Block];
        const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, block.Used - pos.Offset));
        std::memcpy(block.Data + pos.Offset, src, n);
        src += n;
        remaining -= n;
        pos = {block.Next, 0};
    }
    if (appended > 0) AppendTail(src, appended, reserve);
    size_ += static_cast<Address>(appended);
    Recount(true);
}

void TMemoryModule::DeleteBytes(Address address, ByteCount count) {
    if (address < 0 || address >= size_ || count <= 0) return;
    count = std::min(count, size_ - address);
    TStorePos pos = Locate(address);
    size_ -= count;
    while (count > 0 && pos.Block != -1) {
        TMemoryBlock& block = blocks_[pos.Block];
        const std::int32_t avail = block.Used - pos.Offset;
        if (count <= avail) {
            Byte* at = block.Data + pos.Offset;
            std::memmove(at, at + count, avail - count);
            block.Used -= count;
            if (block.Used == 0) FreeBlock(pos.Block);
            break;
        }
        block.Used = pos.Offset;
        count -= avail;
        const std::int32_t emptied = pos.Block;
        pos = {block.Next, 0};
        if (blocks_[emptied].Used == 0) FreeBlock(emptied);
    }
    Recount(true);
}

// ---- compaction ----

void TMemoryModule::Compact() {
    if (minBlockCount_ == blockCount_) return;
    Progress("ガーベージコレクション実行中...");
    hintBlock_ = -1; // block starts move
    // The write cursor never passes the read cursor, so the chain packs in place.
    TStorePos write{head_, 0};
    TStorePos read{head_, 0};
    while (read.Block != -1) {
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
    if (write.Block != -1 && write.Offset > 0) {
        blocks_[write.Block].Used = write.Offset;
        unused = blocks_[write.Block].Next;
    }
    while (unused != -1) {
        const std::int32_t next = blocks_[unused].Next;
        FreeBlock(unused);
        unused = next;
    }
    Progress("");
    Recount(Modified);
}

} // namespace mv
