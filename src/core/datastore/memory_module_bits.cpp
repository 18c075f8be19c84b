// The in-place bit, byte and integer operations of the block store.
#include "core/datastore/memory_module.h"

#include <algorithm>
#include <utility>

namespace mv {

namespace {

Byte MirrorBits(Byte b) {
    b = static_cast<Byte>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
    b = static_cast<Byte>((b & 0xCC) >> 2 | (b & 0x33) << 2);
    return static_cast<Byte>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

} // namespace

// Calls fn(Byte* bytes, int32 n) for each contiguous piece of the range, in address order,
// stopping at the end of the data.
template <typename ChunkFn>
void TMemoryModule::ForEachChunk(Address address, ByteCount count, ChunkFn fn) {
    Materialize(address, count);
    TStorePos pos = Locate(address);
    while (count > 0 && pos.Block != -1) {
        TMemoryBlock& block = blocks_[pos.Block];
        const auto n = static_cast<std::int32_t>(std::min<ByteCount>(count, block.Used - pos.Offset));
        fn(block.Data + pos.Offset, n);
        count -= n;
        pos = {block.Next, 0};
    }
}

void TMemoryModule::NotBits(Address address, ByteCount count) {
    if (address < 0 || address >= size_ || count <= 0) return;
    ForEachChunk(address, count, [](Byte* bytes, std::int32_t n) {
        for (std::int32_t i = 0; i < n; ++i) bytes[i] = static_cast<Byte>(~bytes[i]);
    });
    Recount(true);
}

void TMemoryModule::ReverseRange(Address address, ByteCount count) {
    Materialize(address, count);
    TStorePos front = Locate(address);
    TStorePos back = Locate(address + count - 1);
    for (Address i = address, j = address + count - 1; i < j; ++i, --j) {
        std::swap(blocks_[front.Block].Data[front.Offset], blocks_[back.Block].Data[back.Offset]);
        StepNext(front);
        StepPrev(back);
    }
}

void TMemoryModule::ReverseBytes(Address address, ByteCount count) {
    if (address < 0 || address >= size_) return;
    count = std::min(count, size_ - address);
    if (count < 2) return;
    ReverseRange(address, count);
    Recount(true);
}

void TMemoryModule::ReverseBits(Address address, ByteCount count) {
    if (address < 0 || address >= size_) return;
    count = std::min(count, size_ - address);
    if (count < 1) return;
    ReverseRange(address, count);
    ForEachChunk(address, count, [](Byte* bytes, std::int32_t n) {
        for (std::int32_t i = 0; i < n; ++i) bytes[i] = MirrorBits(bytes[i]);
    });
    Recount(true);
}

// Rotates the range, read as one bit string with the most significant bits in its first
// byte, left by `bits` (negative: right). Whole bytes move by three reversals rather than a
// delete and an insert: the bytes are the same, but nothing is allocated, so the rotation
// cannot fail half-way and needs no copy of a large selection.
void TMemoryModule::RotateLeft(Address address, ByteCount count, std::int64_t bits) {
    if (bits == 0 || address < 0 || address >= size_) return;
    count = std::min(count, size_ - address);
    if (count <= 0) return;
    const std::int64_t total = std::int64_t{count} * 8;
    const std::int64_t r = (bits % total + total) % total;
    if (r == 0) return;
    Materialize(address, count);
    const auto k = static_cast<ByteCount>(r / 8);
    if (k > 0) {
        ReverseRange(address, k);
        ReverseRange(address + k, count - k);
        ReverseRange(address, count);
    }
    if (const int s = static_cast<int>(r % 8); s != 0) {
        TStorePos last = Locate(address + count - 1);
        TStorePos pos = last;
        Byte carry = 0;
        for (ByteCount i = 0; i < count; ++i, StepPrev(pos)) {
            Byte& b = blocks_[pos.Block].Data[pos.Offset];
            const Byte next = static_cast<Byte>(b >> (8 - s));
            b = static_cast<Byte>((b << s) | carry);
            carry = next;
        }
        blocks_[last.Block].Data[last.Offset] |= carry;
    }
    Recount(true);
}

void TMemoryModule::RotateBitsLeft(Address address, ByteCount count, std::int32_t bits) {
    RotateLeft(address, count, bits);
}

void TMemoryModule::RotateBitsRight(Address address, ByteCount count, std::int32_t bits) {
    RotateLeft(address, count, -std::int64_t{bits});
}

// Adds delta (+1 or -1) to the integer in the range, carrying from the least significant
// byte until a byte does not wrap, the range is done or the data ends.
void TMemoryModule::Carry(Address address, ByteCount count, bool littleEndian, int delta) {
    if (count <= 0) return;
    const std::int64_t start = littleEndian ? address : std::int64_t{address} + count - 1;
    if (start < 0 || start >= size_) return;
    Materialize(std::max<Address>(address, 0), count);
    TStorePos pos = Locate(static_cast<Address>(start));
    const Byte wrapped = delta > 0 ? 0x00 : 0xFF;
    for (ByteCount done = 0; pos.Block != -1 && done < count; ++done) {
        Byte& b = blocks_[pos.Block].Data[pos.Offset];
        b = static_cast<Byte>(b + delta);
        if (b != wrapped) break;
        if (!(littleEndian ? StepNext(pos) : StepPrev(pos))) break;
    }
    Recount(true);
}

void TMemoryModule::IncrementLittle(Address address, ByteCount count) { Carry(address, count, true, 1); }
void TMemoryModule::DecrementLittle(Address address, ByteCount count) { Carry(address, count, true, -1); }
void TMemoryModule::IncrementBig(Address address, ByteCount count) { Carry(address, count, false, 1); }
void TMemoryModule::DecrementBig(Address address, ByteCount count) { Carry(address, count, false, -1); }

} // namespace mv
