#pragma once

#include "core/datastore/address.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace mv {

// Hands out the store's block buffers from 2 MiB arenas. Fresh memory costs a page fault per
// page, so every arena but a pool's first is advised for transparent huge pages: one fault
// per 2 MiB instead of 512. The first stays on small pages, so that a small document pays
// for the pages it touches rather than for 2 MiB. An arena goes back to the system once all
// its buffers are released.
//
// Under AddressSanitizer each buffer is followed by a poisoned guard of its own size and a
// released buffer is poisoned, so overruns and uses after release are reported as they are
// for buffers from the heap.
class TBlockPool {
public:
    static constexpr std::size_t BufferBytes = 4096;
    static constexpr std::size_t ArenaBytes = std::size_t{2} << 20;

    TBlockPool();
    TBlockPool(const TBlockPool&) = delete;
    TBlockPool& operator=(const TBlockPool&) = delete;
    ~TBlockPool();

    // A buffer of BufferBytes bytes with unspecified content; throws std::bad_alloc.
    [[nodiscard]] Byte* Allocate();
    // Takes back a buffer that Allocate answered.
    void Release(Byte* buffer) noexcept;
    // Takes back every buffer at once.
    void ReleaseAll() noexcept;

    [[nodiscard]] std::size_t ArenaCount() const { return arenas_.size(); }
    // Exchanges every buffer with the other pool; the buffers stay where they are.
    void Swap(TBlockPool& other) noexcept {
        arenas_.swap(other.arenas_);
        std::swap(current_, other.current_);
    }

private:
    class TArena;

    [[nodiscard]] TArena* ArenaWithRoom() const;
    TArena& MapArena();

    std::vector<std::unique_ptr<TArena>> arenas_; // by address, for Release to search
    TArena* current_ = nullptr;                   // where the last buffer came from
};

// Buffers taken from a pool before a change touches anything, so that running out of memory
// leaves the change undone. Take answers them in the order they were allocated; the ones
// not taken go back to the pool.
class TBufferReserve {
public:
    TBufferReserve(TBlockPool& pool, std::int64_t capacity);
    TBufferReserve(TBufferReserve&& other) noexcept;
    TBufferReserve& operator=(TBufferReserve&&) = delete;
    ~TBufferReserve();

    // Allocates one more buffer, up to the capacity; throws std::bad_alloc.
    void Add();
    [[nodiscard]] Byte* Take() { return buffers_[taken_++]; }
    [[nodiscard]] std::span<Byte* const> Untaken() const {
        return std::span(buffers_).subspan(taken_);
    }

private:
    TBlockPool* pool_;
    std::vector<Byte*> buffers_;
    std::size_t taken_ = 0;
};

} // namespace mv
