#include "core/datastore/block_pool.h"

#include <gtest/gtest.h>

#include <cstring>
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

// Released slots are reused without handing out one that is held; an arena goes back to
// the system with its last buffer.
TEST(BlockPool, BuffersKeepTheirBytesAndArenasGoBackWhenEmpty) {
    TBlockPool pool;
    std::vector<Byte*> buffers; // a full first arena and one buffer of the second
    while (pool.ArenaCount() < 2)
        buffers.push_back(pool.Allocate());
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
