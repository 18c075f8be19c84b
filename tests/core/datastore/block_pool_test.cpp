#include "core/datastore/block_pool.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define MV_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MV_TEST_ASAN 1
#endif
#endif

namespace mv {
namespace {

constexpr std::size_t kBufferBytes = TBlockPool::BufferBytes;

// Buffers until the pool maps its second arena: a full first arena and one more buffer.
std::vector<Byte*> FillFirstArena(TBlockPool& pool) {
    std::vector<Byte*> buffers;
    while (pool.ArenaCount() < 2)
        buffers.push_back(pool.Allocate());
    return buffers;
}

// The VmFlags of the mapping that holds `address`, from /proc/self/smaps.
std::string MappingFlags(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        if (std::istringstream(line) >> std::hex >> start >> dash >> end && dash == '-')
            inside = start <= at && at < end;
        else if (inside && line.starts_with("VmFlags:"))
            return line;
    }
    return {};
}

// Released slots are reused without handing out one that is held; an arena goes back to
// the system with its last buffer.
TEST(BlockPool, BuffersKeepTheirBytesAndArenasGoBackWhenEmpty) {
    TBlockPool pool;
    std::vector<Byte*> buffers = FillFirstArena(pool);
    const auto fill = [&](std::size_t i) {
        std::memset(buffers[i], static_cast<int>(i % 251), kBufferBytes);
    };
    for (std::size_t i = 0; i < buffers.size(); ++i)
        fill(i);
    for (std::size_t i = 0; i < buffers.size(); i += 2)
        pool.Release(buffers[i]);
    for (std::size_t i = 0; i < buffers.size(); i += 2) {
        buffers[i] = pool.Allocate();
        fill(i);
    }
    for (std::size_t i = 0; i < buffers.size(); ++i)
        ASSERT_EQ(std::vector<Byte>(buffers[i], buffers[i] + kBufferBytes),
                  std::vector<Byte>(kBufferBytes, static_cast<Byte>(i % 251)))
            << "buffer " << i;

    Byte* last = buffers.back();
    buffers.pop_back();
    for (Byte* buffer : buffers)
        pool.Release(buffer);
    EXPECT_EQ(pool.ArenaCount(), 1u);
    pool.Release(last);
    EXPECT_EQ(pool.ArenaCount(), 0u);
}

// A small document stays on small pages; a large one gets huge pages after its first 2 MiB.
TEST(BlockPool, OnlyArenasAfterTheFirstAreAdvisedForHugePages) {
    if (::access("/sys/kernel/mm/transparent_hugepage/enabled", R_OK) != 0)
        GTEST_SKIP() << "the kernel has no transparent huge pages";
    TBlockPool pool;
    const std::vector<Byte*> buffers = FillFirstArena(pool);
    const std::string first = MappingFlags(buffers.front()), second = MappingFlags(buffers.back());
    EXPECT_NE(first.find(" nh"), std::string::npos) << first;
    EXPECT_NE(second.find(" hg"), std::string::npos) << second;
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffers.back()) % TBlockPool::ArenaBytes, 0u)
        << "a huge page needs an aligned arena";
}

#ifdef MV_TEST_ASAN
TEST(BlockPoolDeathTest, OverrunsAndUsesAfterReleaseAreReported) {
    TBlockPool pool;
    Byte* buffer = pool.Allocate();
    Byte* released = pool.Allocate();
    pool.Release(released);
    volatile Byte* overrun = buffer + kBufferBytes;
    volatile Byte* stale = released;
    EXPECT_DEATH(*overrun = 1, "use-after-poison");
    EXPECT_DEATH(*stale = 1, "use-after-poison");
}
#endif

} // namespace
} // namespace mv
