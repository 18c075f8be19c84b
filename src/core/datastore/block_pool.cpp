#include "core/datastore/block_pool.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#define MV_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MV_ASAN 1
#endif
#endif

#ifdef MV_ASAN
#include <sanitizer/asan_interface.h>
#define MV_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define MV_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
constexpr std::size_t kSlotBytes = 2 * mv::TBlockPool::BufferBytes; // the buffer and its guard
#else
#define MV_POISON(address, size) ((void)(address), (void)(size))
#define MV_UNPOISON(address, size) ((void)(address), (void)(size))
constexpr std::size_t kSlotBytes = mv::TBlockPool::BufferBytes;
#endif

namespace mv {

namespace {

constexpr std::size_t kSlots = TBlockPool::ArenaBytes / kSlotBytes;

std::uintptr_t ArenaStartOf(const void* address) {
    return reinterpret_cast<std::uintptr_t>(address) & ~(TBlockPool::ArenaBytes - 1);
}

// ArenaBytes of fresh memory aligned to ArenaBytes, as huge pages need; throws
// std::bad_alloc. Maps twice the size and returns the ends that stick out.
Byte* MapAligned() {
    const std::size_t mapped = 2 * TBlockPool::ArenaBytes;
    void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<Byte*>(raw);
    auto* aligned = reinterpret_cast<Byte*>(ArenaStartOf(start + TBlockPool::ArenaBytes - 1));
    Byte* end = aligned + TBlockPool::ArenaBytes;
    if (aligned != start) ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (end != start + mapped) ::munmap(end, static_cast<std::size_t>(start + mapped - end));
    return aligned;
}

} // namespace

// One mapping of kSlots buffers. Slots below fresh_ have been handed out at least once; the
// released ones among them wait in free_, the latest first, so that reuse touches memory
// that is already resident.
class TBlockPool::TArena {
public:
    explicit TArena(bool hugePages) : base_(MapAligned()) {
        // Without transparent huge pages the advice fails harmlessly.
        ::madvise(base_, ArenaBytes, hugePages ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
        MV_POISON(base_, ArenaBytes);
    }
    TArena(const TArena&) = delete;
    TArena& operator=(const TArena&) = delete;
    ~TArena() {
        MV_UNPOISON(base_, ArenaBytes); // whatever is mapped here next starts clean
        ::munmap(base_, ArenaBytes);
    }

    [[nodiscard]] std::uintptr_t Start() const { return reinterpret_cast<std::uintptr_t>(base_); }
    [[nodiscard]] bool HasRoom() const { return freeCount_ > 0 || fresh_ < kSlots; }
    [[nodiscard]] bool IsUnused() const { return freeCount_ == fresh_; }

    Byte* Take() {
        const std::size_t slot = freeCount_ > 0 ? free_[--freeCount_] : fresh_++;
        Byte* buffer = base_ + slot * kSlotBytes;
        MV_UNPOISON(buffer, BufferBytes);
        return buffer;
    }
    void Give(Byte* buffer) {
        MV_POISON(buffer, BufferBytes);
        free_[freeCount_++] = static_cast<std::uint16_t>((buffer - base_) / kSlotBytes);
    }

private:
    Byte* base_;
    std::size_t fresh_ = 0;
    std::size_t freeCount_ = 0;
    std::array<std::uint16_t, kSlots> free_;
};

TBlockPool::TBlockPool() = default;
TBlockPool::~TBlockPool() = default;

Byte* TBlockPool::Allocate() {
    if (current_ == nullptr || !current_->HasRoom()) current_ = ArenaWithRoom();
    if (current_ == nullptr) current_ = &MapArena();
    return current_->Take();
}

TBlockPool::TArena* TBlockPool::ArenaWithRoom() const {
    const auto found = std::ranges::find_if(arenas_, [](const auto& a) { return a->HasRoom(); });
    return found == arenas_.end() ? nullptr : found->get();
}

TBlockPool::TArena& TBlockPool::MapArena() {
    auto arena = std::make_unique<TArena>(!arenas_.empty());
    const auto at = std::ranges::upper_bound(arenas_, arena->Start(), {},
                                             [](const auto& a) { return a->Start(); });
    return **arenas_.insert(at, std::move(arena));
}

void TBlockPool::Release(Byte* buffer) noexcept {
    const auto at = std::ranges::lower_bound(arenas_, ArenaStartOf(buffer), {},
                                             [](const auto& a) { return a->Start(); });
    TArena& arena = **at;
    arena.Give(buffer);
    if (!arena.IsUnused()) return;
    if (current_ == &arena) current_ = nullptr;
    arenas_.erase(at);
}

void TBlockPool::ReleaseAll() noexcept {
    arenas_.clear();
    current_ = nullptr;
}

TBufferReserve::TBufferReserve(TBlockPool& pool, std::int64_t capacity) : pool_(&pool) {
    buffers_.reserve(static_cast<std::size_t>(capacity));
}

TBufferReserve::TBufferReserve(TBufferReserve&& other) noexcept
    : pool_(other.pool_), buffers_(std::move(other.buffers_)), taken_(other.taken_) {
    other.buffers_.clear();
    other.taken_ = 0;
}

TBufferReserve::~TBufferReserve() {
    for (Byte* buffer : Untaken())
        pool_->Release(buffer);
}

void TBufferReserve::Add() {
    // The capacity was reserved, so the push cannot throw once the buffer is allocated.
    buffers_.push_back(pool_->Allocate());
}

} // namespace mv
