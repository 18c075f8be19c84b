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

bool ChainLeavesTableOrder(const TMemoryModule& module) {
    for (std::int32_t b = module.Head(); b != -1; b = module.Blocks()[b].Next)
        if (module.Blocks()[b].Next != -1 && module.Blocks()[b].Next < b) return true;
    return false;
}

TEST(MemoryModule, NewModuleIsEmptyAndReadsZeros) {
    TMemoryModule module;
    EXPECT_EQ(module.Size(), 0);
    EXPECT_EQ(module.BlockCount(), 0);
    EXPECT_EQ(module.Head(), -1);
    EXPECT_EQ(module.Blocks().size(), 256u);
    EXPECT_EQ(module.MemoryEfficiency(), 100);
    ByteVector bytes(10, 0xAA);
    module.ReadBytes(bytes.data(), 0, 10);
    EXPECT_EQ(bytes, ByteVector(10, 0));
}

TEST(MemoryModule, ReadPastTheEndFillsZeros) {
    TMemoryModule module;
    Append(module, {1, 2, 3});
    ByteVector bytes(5, 0xAA);
    module.ReadBytes(bytes.data(), 1, 5);
    EXPECT_EQ(bytes, (ByteVector{2, 3, 0, 0, 0}));
    module.ReadBytes(bytes.data(), -1, 5);
    EXPECT_EQ(bytes, ByteVector(5, 0));
}

TEST(MemoryModule, InsertIntoEmptyFillsWholeBlocks) {
    TMemoryModule module;
    const ByteVector data = Sequence(10000);
    module.InsertBytes(data.data(), 0, 10000);
    EXPECT_EQ(ChainUsed(module), (std::vector<std::int32_t>{4096, 4096, 1808}));
    EXPECT_EQ(module.BlockCount(), 3);
    EXPECT_EQ(module.MinBlockCount(), 3);
    EXPECT_TRUE(module.IsModified());
    EXPECT_EQ(Contents(module), data);
}

TEST(MemoryModule, InsertAtBlockBoundaryUsesPreviousBlocksRoom) {
    TMemoryModule module;
    Append(module, Sequence(5000));
    const ByteVector one{0xEE};
    module.DeleteBytes(4000, 96); // block 0 now holds 4000 bytes
    module.InsertBytes(one.data(), 4000, 1);
    EXPECT_EQ(ChainUsed(module), (std::vector<std::int32_t>{4001, 904}));
    EXPECT_EQ(Contents(module)[4000], 0xEE);
}

TEST(MemoryModule, LargeInsertInsideFullBlockSplitsIt) {
    TMemoryModule module;
    ByteVector model = Sequence(4096);
    Append(module, model);
    const ByteVector data = Sequence(5000, 3);
    module.InsertBytes(data.data(), 1000, 5000);
    model.insert(model.begin() + 1000, data.begin(), data.end());
    EXPECT_EQ(ChainUsed(module), (std::vector<std::int32_t>{1000, 4096, 904, 3096}));
    EXPECT_LT(module.MemoryEfficiency(), 100);
    EXPECT_EQ(module.CompactedEfficiency(), int(9096 * 100 / (3 * 4096)));
    EXPECT_EQ(Contents(module), model);
}

TEST(MemoryModule, InsertBeyondTheEndAppendsAndNegativeAddressIsRefused) {
    TMemoryModule module;
    Append(module, {1, 2});
    const ByteVector data{9};
    module.InsertBytes(data.data(), 100, 1);
    module.InsertBytes(data.data(), -1, 1);
    EXPECT_EQ(Contents(module), (ByteVector{1, 2, 9}));
}

TEST(MemoryModule, OverwriteExtendsTheFileFromItsEnd) {
    TMemoryModule module;
    ByteVector model = Sequence(4096 + 10);
    Append(module, model);
    const ByteVector data = Sequence(6000, 5);
    module.OverwriteBytes(data.data(), 4096, 6000);
    model.resize(4096);
    model.insert(model.end(), data.begin(), data.end());
    EXPECT_EQ(Contents(module), model);
    EXPECT_EQ(module.MinBlockCount(), module.BlockCount());

    TMemoryModule empty;
    empty.OverwriteBytes(data.data(), 0, 6000);
    EXPECT_EQ(Contents(empty), data);
}

TEST(MemoryModule, DeleteAcrossBlocksFreesEmptiedBlocks) {
    TMemoryModule module;
    ByteVector model = Sequence(3 * 4096);
    Append(module, model);
    module.DeleteBytes(100, 4096 * 2);
    model.erase(model.begin() + 100, model.begin() + 100 + 4096 * 2);
    EXPECT_EQ(Contents(module), model);
    EXPECT_EQ(module.BlockCount(), 2);

    module.DeleteBytes(50, 1'000'000); // limited to the end
    EXPECT_EQ(module.Size(), 50);
    module.DeleteBytes(0, 50);
    EXPECT_EQ(module.Size(), 0);
    EXPECT_EQ(module.BlockCount(), 0);
    EXPECT_EQ(module.Head(), -1);
}

TEST(MemoryModule, FreedEntriesAreReusedLowestFirst) {
    TMemoryModule module;
    Append(module, Sequence(4096 * 8));
    for (int i = 0; i < 1000; ++i) {
        module.DeleteBytes(4096, 4096); // frees table entry 1
        const ByteVector data = Sequence(4096, i);
        module.InsertBytes(data.data(), 4096 * 3 + 7, 4096);
    }
    EXPECT_EQ(module.Blocks().size(), 256u);
}

struct ByteOperationCase {
    std::string name;
    ByteVector before;
    void (*operation)(TMemoryModule&, Address, ByteCount);
    ByteVector after;
};

class ByteOperation : public testing::TestWithParam<ByteOperationCase> {};

// Each case runs twice: alone in a store, and straddling a split inside a fragmented store,
// so that the cursors cross blocks linked out of table order and stop at the range's ends.
TEST_P(ByteOperation, GivesTheExpectedBytes) {
    const ByteOperationCase& c = GetParam();
    const auto size = static_cast<ByteCount>(c.before.size());
    TMemoryModule alone;
    Append(alone, c.before);
    int changes = 0;
    alone.OnChange = [&](TMemoryModule&) { ++changes; };
    c.operation(alone, 0, size);
    EXPECT_EQ(Contents(alone), c.after);
    EXPECT_EQ(changes, c.before == c.after ? 0 : 1); // a whole turn changes nothing

    TMemoryModule fragmented;
    ByteVector model;
    MakeFragmented(fragmented, model);
    ASSERT_TRUE(ChainLeavesTableOrder(fragmented));
    const Address at = 5100 - size / 2; // the split's tail begins at address 5100
    fragmented.OverwriteBytes(c.before.data(), at, size);
    c.operation(fragmented, at, size);
    std::copy(c.after.begin(), c.after.end(), model.begin() + at);
    EXPECT_EQ(Contents(fragmented), model);
}

void Not(TMemoryModule& m, Address a, ByteCount n) { m.NotBits(a, n); }
void ReverseBits(TMemoryModule& m, Address a, ByteCount n) { m.ReverseBits(a, n); }
void ReverseBytes(TMemoryModule& m, Address a, ByteCount n) { m.ReverseBytes(a, n); }
void RotateLeft4(TMemoryModule& m, Address a, ByteCount n) { m.RotateBitsLeft(a, n, 4); }
void RotateRight4(TMemoryModule& m, Address a, ByteCount n) { m.RotateBitsRight(a, n, 4); }
void RotateLeft12(TMemoryModule& m, Address a, ByteCount n) { m.RotateBitsLeft(a, n, 12); }
void RotateLeftMinus4(TMemoryModule& m, Address a, ByteCount n) { m.RotateBitsLeft(a, n, -4); }
void RotateLeftFullTurn(TMemoryModule& m, Address a, ByteCount n) { m.RotateBitsLeft(a, n, n * 8 * 3); }
void IncLittle(TMemoryModule& m, Address a, ByteCount n) { m.IncrementLittle(a, n); }
void IncBig(TMemoryModule& m, Address a, ByteCount n) { m.IncrementBig(a, n); }
void DecLittle(TMemoryModule& m, Address a, ByteCount n) { m.DecrementLittle(a, n); }
void DecBig(TMemoryModule& m, Address a, ByteCount n) { m.DecrementBig(a, n); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ByteOperation,
    testing::Values(
        ByteOperationCase{"NotBits", {0x00, 0x5A, 0xFF}, Not, {0xFF, 0xA5, 0x00}},
        ByteOperationCase{"ReverseBits", {0x01, 0x80, 0xC0}, ReverseBits, {0x03, 0x01, 0x80}},
        ByteOperationCase{"ReverseBytes", {1, 2, 3, 4, 5}, ReverseBytes, {5, 4, 3, 2, 1}},
        ByteOperationCase{"RotateLeft", {0x12, 0x34}, RotateLeft4, {0x23, 0x41}},
        ByteOperationCase{"RotateRight", {0x12, 0x34}, RotateRight4, {0x41, 0x23}},
        ByteOperationCase{"RotateLeftWholeAndBits", {0x12, 0x34, 0x56}, RotateLeft12, {0x45, 0x61, 0x23}},
        ByteOperationCase{"NegativeLeftIsRight", {0x12, 0x34}, RotateLeftMinus4, {0x41, 0x23}},
        ByteOperationCase{"RotateByWholeTurns", {0x12, 0x34}, RotateLeftFullTurn, {0x12, 0x34}},
        ByteOperationCase{"IncrementLittleCarries", {0xFF, 0xFF, 0x00}, IncLittle, {0x00, 0x00, 0x01}},
        ByteOperationCase{"IncrementLittleWraps", {0xFF, 0xFF}, IncLittle, {0x00, 0x00}},
        ByteOperationCase{"IncrementBigCarries", {0x00, 0xFF, 0xFF}, IncBig, {0x01, 0x00, 0x00}},
        ByteOperationCase{"DecrementLittleWraps", {0x00, 0x00}, DecLittle, {0xFF, 0xFF}},
        ByteOperationCase{"DecrementBigStops", {0x01, 0x00}, DecBig, {0x00, 0xFF}}),
    [](const testing::TestParamInfo<ByteOperationCase>& info) { return info.param.name; });

TEST(MemoryModule, OperationsOutsideTheDataChangeAndFireNothing) {
    TMemoryModule module;
    Append(module, {1, 2, 3});
    module.SetModified(false);
    int changes = 0;
    module.OnChange = [&](TMemoryModule&) { ++changes; };
    module.NotBits(3, 1);
    module.ReverseBytes(-1, 2);
    module.RotateBitsLeft(5, 1, 3);
    module.IncrementLittle(3, 1);
    module.IncrementBig(2, 4); // its least significant byte would lie past the end
    module.DeleteBytes(3, 1);
    module.RotateBitsRight(0, 3, 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(module.IsModified());
    EXPECT_EQ(Contents(module), (ByteVector{1, 2, 3}));
}

TEST(MemoryModule, LockedSuppressesChangeEventsButNotTheChange) {
    TMemoryModule module;
    Append(module, {1, 2, 3});
    module.SetModified(false);
    int changes = 0;
    module.OnChange = [&](TMemoryModule&) { ++changes; };
    module.Locked = true;
    module.NotBits(2, 10); // the last byte only: the range stops at the end
    module.Locked = false;
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(module.IsModified());
    EXPECT_EQ(Contents(module), (ByteVector{1, 2, 0xFC}));
}

TEST(MemoryModule, RotationEndingAtTheLastByte) {
    TMemoryModule module;
    Append(module, {0xAA, 0x12, 0x34});
    module.RotateBitsRight(1, 100, 4); // the count is limited to the end of the data
    EXPECT_EQ(Contents(module), (ByteVector{0xAA, 0x41, 0x23}));
}

TEST(MemoryModule, CompactOfFullBlocksDoesNothing) {
    TMemoryModule module;
    Append(module, Sequence(8192));
    std::vector<std::string> progress;
    module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
    module.Compact();
    EXPECT_TRUE(progress.empty());
}

TEST(MemoryModule, CompactPacksFragmentedChainInPlace) {
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
    ASSERT_GT(module.BlockCount(), module.MinBlockCount());
    std::vector<std::string> progress;
    module.OnProgress = [&](TMemoryModule&, std::string_view text) { progress.emplace_back(text); };
    module.Compact();
    EXPECT_EQ(progress, (std::vector<std::string>{"ガーベージコレクション実行中...", ""}));
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
    std::unique_ptr<Byte[]> operator()() {
        if (left-- <= 0) throw std::bad_alloc();
        return std::make_unique<Byte[]>(TMemoryModule::BlockSize);
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
        EXPECT_THROW(module.OverwriteBytes(big.data(), module.Size() - 10, 5 * 4096), std::bad_alloc);
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
