#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace mv {
namespace {

using test::Append;
using test::ByteVector;
using test::ChainUsed;
using test::Contents;
using test::Sequence;

// A store whose chain order differs from its table order: a split in the first block links
// blocks with higher table indices between blocks 0 and 1.
void MakeFragmented(TMemoryModule& module, ByteVector& model) {
    model = Sequence(3 * 4096);
    Append(module, model);
    const ByteVector middle = Sequence(5000, 7);
    module.InsertBytes(middle.data(), 100, 5000);
    model.insert(model.begin() + 100, middle.begin(), middle.end());
}

// Compacts the store; answers the progress texts it showed.
std::vector<std::string> CompactProgress(TMemoryModule& module) {
    std::vector<std::string> progress;
    module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
    module.Compact();
    return progress;
}

TEST(MemoryModule, RangesAreClampedToTheData) {
    TMemoryModule module;
    ByteVector bytes(5, 0xAA);
    module.ReadBytes(bytes.data(), 0, 5);
    EXPECT_EQ(bytes, ByteVector(5, 0));
    Append(module, {1, 2, 3});
    module.ReadBytes(bytes.data(), 1, 5);
    EXPECT_EQ(bytes, (ByteVector{2, 3, 0, 0, 0}));
    module.ReadBytes(bytes.data(), -1, 5);
    EXPECT_EQ(bytes, ByteVector(5, 0));

    const ByteVector nine{9};
    module.InsertBytes(nine.data(), 100, 1); // appended
    module.InsertBytes(nine.data(), -1, 1);  // refused
    EXPECT_EQ(Contents(module), (ByteVector{1, 2, 3, 9}));
    module.DeleteBytes(2, 1'000'000);
    EXPECT_EQ(Contents(module), (ByteVector{1, 2}));

    Append(module, Sequence(3 * 4096));
    module.DeleteBytes(0, module.Size());
    EXPECT_EQ(module.BlockCount(), 0);
    EXPECT_EQ(module.Head(), -1);
}

TEST(MemoryModule, OperationsStopAtTheEndAndLockedSuppressesOnlyTheEvent) {
    TMemoryModule module;
    Append(module, {0xAA, 0x12, 0x34});
    module.SetModified(false);
    int changes = 0;
    module.OnChange = [&](TMemoryModule&) { ++changes; };
    module.NotBits(3, 1);
    module.ReverseBytes(-1, 2);
    module.RotateBitsLeft(5, 1, 3);
    module.IncrementBig(2, 4); // its least significant byte would lie past the end
    module.DeleteBytes(3, 1);
    module.RotateBitsRight(0, 3, 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(module.IsModified());

    module.RotateBitsRight(1, 100, 4); // the count is limited to the end of the data
    EXPECT_EQ(Contents(module), (ByteVector{0xAA, 0x41, 0x23}));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(module.IsModified());
    module.Locked = true;
    module.NotBits(2, 10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Contents(module), (ByteVector{0xAA, 0x41, 0xDC}));
}

TEST(MemoryModule, CompactPacksFragmentedChainInPlace) {
    TMemoryModule full;
    Append(full, Sequence(8192));
    EXPECT_TRUE(CompactProgress(full).empty()) << "full blocks need no compaction";

    TMemoryModule module;
    ByteVector model;
    MakeFragmented(module, model);
    for (int i = 0; i < 50; ++i) { // many small, partly filled blocks
        const ByteVector data = Sequence(4097, i);
        const Address at = (i * 3001) % module.Size();
        module.InsertBytes(data.data(), at, 4097);
        model.insert(model.begin() + at, data.begin(), data.end());
    }
    module.SetModified(false);
    EXPECT_EQ(CompactProgress(module),
              (std::vector<std::string>{"ガーベージコレクション実行中...", ""}));
    EXPECT_EQ(module.BlockCount(), module.MinBlockCount());
    EXPECT_FALSE(module.IsModified());
    EXPECT_EQ(Contents(module), model);
    std::vector<std::int32_t> used = ChainUsed(module);
    used.pop_back();
    EXPECT_EQ(used, std::vector<std::int32_t>(used.size(), 4096));
}

// Allocation that fails after a number of buffers, to check that a failure in the middle
// of a change leaves nothing half-done.
struct FailingAllocator {
    int left;
    void operator()() {
        if (left-- <= 0) throw std::bad_alloc();
    }
};

TEST(MemoryModule, AllocationFailureLeavesTheStoreUnchanged) {
    TMemoryModule module;
    ByteVector model;
    MakeFragmented(module, model);
    const std::vector<std::int32_t> chain = ChainUsed(module);
    const ByteVector big = Sequence(5 * 4096);
    for (int allowed = 0; allowed < 5; ++allowed) {
        module.AllocateBuffer = FailingAllocator{allowed};
        EXPECT_THROW(module.InsertBytes(big.data(), 4000, 5 * 4096), std::bad_alloc);
        EXPECT_THROW(module.OverwriteBytes(big.data(), module.Size() - 10, 5 * 4096),
                     std::bad_alloc);
        EXPECT_EQ(Contents(module), model);
        EXPECT_EQ(ChainUsed(module), chain);
    }
    module.AllocateBuffer = FailingAllocator{100};
    module.InsertBytes(big.data(), 4000, 5 * 4096);
    model.insert(model.begin() + 4000, big.begin(), big.end());
    EXPECT_EQ(Contents(module), model);
}

} // namespace
} // namespace mv
