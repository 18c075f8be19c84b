// Random edits applied through the history to the block store and to a plain vector, then
// undone and redone, comparing the whole contents after every step; once with the data in
// memory, once read on demand from a file in small file blocks, saved now and then.
#include "core/datastore/edit_history.h"
#include "core/datastore/memory_module.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <vector>

namespace mv {
namespace {

using Bytes = std::vector<Byte>;
using Bits = std::vector<Byte>; // one bit per element

// The oracle: what each change means, on a vector, without any of the store's techniques.
class TModel {
public:
    explicit TModel(Bytes initial) : bytes(std::move(initial)) {}

    void Apply(const TEditRequest& r) {
        const auto size = static_cast<Address>(bytes.size());
        const Address at = std::min(r.Address, size); // writes at or past the end append
        const Bytes data(r.Data, r.Data + std::max<ByteCount>(0, r.Kind <= TEditKind::Replace ? r.Length : 0));
        const std::span<Byte> range = Range(r);
        Bits bits = ToBits(range);
        const int delta =
            r.Kind == TEditKind::IncrementLittle || r.Kind == TEditKind::IncrementBig ? 1 : -1;
        switch (r.Kind) {
        case TEditKind::Replace:
            Erase(at, r.Count);
            [[fallthrough]];
        case TEditKind::Insert:
            bytes.insert(bytes.begin() + at, data.begin(), data.end());
            break;
        case TEditKind::Overwrite:
            bytes.resize(std::max<std::size_t>(bytes.size(), at + data.size()));
            std::ranges::copy(data, bytes.begin() + at);
            break;
        case TEditKind::Delete:
            Erase(at, r.Count);
            break;
        case TEditKind::BitRotation:
            RotateRight(bits, r.Length);
            FromBits(bits, range);
            break;
        case TEditKind::ByteRotation:
            RotateRight(range, r.Length);
            break;
        case TEditKind::BitReversal:
            std::ranges::reverse(bits);
            FromBits(bits, range);
            break;
        case TEditKind::BitInversion:
            for (Byte& b : range)
                b = static_cast<Byte>(~b);
            break;
        case TEditKind::ByteReversal:
            std::ranges::reverse(range);
            break;
        case TEditKind::IncrementLittle:
        case TEditKind::DecrementLittle:
            AddOne(range, delta);
            break;
        case TEditKind::IncrementBig:
        case TEditKind::DecrementBig: // the low byte is the last
            std::ranges::reverse(range);
            AddOne(range, delta);
            std::ranges::reverse(range);
            break;
        }
    }

    Bytes bytes;

private:
    void Erase(Address at, ByteCount count) {
        const auto n = std::min<std::size_t>(count, bytes.size() - at);
        bytes.erase(bytes.begin() + at, bytes.begin() + at + n);
    }

    // The part of the request's range that lies inside the data.
    std::span<Byte> Range(const TEditRequest& r) {
        const auto size = static_cast<Address>(bytes.size());
        if (r.Address >= size) return {};
        return std::span(bytes).subspan(r.Address, std::min(r.Count, size - r.Address));
    }

    // The range as one bit string, most significant bit of the first byte first.
    static Bits ToBits(std::span<const Byte> range) {
        Bits bits;
        for (Byte b : range)
            for (int i = 7; i >= 0; --i)
                bits.push_back((b >> i) & 1);
        return bits;
    }

    static void FromBits(const Bits& bits, std::span<Byte> range) {
        for (std::size_t i = 0; i < range.size(); ++i) {
            int b = 0;
            for (int j = 0; j < 8; ++j)
                b = b << 1 | bits[i * 8 + j];
            range[i] = static_cast<Byte>(b);
        }
    }

    // Rotates toward the end by `amount` elements; a negative amount rotates toward the start.
    template <typename Sequence> static void RotateRight(Sequence&& seq, std::int64_t amount) {
        const auto n = static_cast<std::int64_t>(seq.size());
        if (n == 0) return;
        const std::int64_t r = (amount % n + n) % n;
        std::rotate(seq.begin(), seq.end() - r, seq.end());
    }

    // Adds delta to the range read as a little-endian integer; the result wraps.
    static void AddOne(std::span<Byte> range, int delta) {
        for (Byte& b : range) {
            b = static_cast<Byte>(b + delta);
            if (b != (delta > 0 ? 0x00 : 0xFF)) return;
        }
    }
};

testing::AssertionResult SameContents(const TMemoryModule& module, const Bytes& expected) {
    if (module.Size() != static_cast<Address>(expected.size()))
        return testing::AssertionFailure()
               << "size " << module.Size() << ", expected " << expected.size();
    Bytes actual(module.Size());
    module.ReadBytes(actual.data(), 0, module.Size());
    if (actual == expected) return testing::AssertionSuccess();
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin());
    return testing::AssertionFailure()
           << "first difference at " << (diff.first - actual.begin()) << ": " << int{*diff.first}
           << ", expected " << int{*diff.second};
}

// Draws requests that favour the places where the store is most likely to go wrong: block
// boundaries, the end of the data, and data of 4 and 5 bytes.
class TRequestSource {
public:
    static constexpr std::int32_t kFileBlockBytes = 1000;

    explicit TRequestSource(unsigned seed) : rng_(seed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng_); }
    bool Chance(int percent) { return Uniform(1, 100) <= percent; }

    Bytes Data(int maxLength) {
        Bytes data(Chance(70) ? Uniform(0, 8) : Uniform(1, maxLength));
        const int fill = Uniform(0, 3); // runs of FF and 00 make carries travel
        for (Byte& b : data)
            b = fill == 0 ? 0xFF : fill == 1 ? 0x00 : static_cast<Byte>(Uniform(0, 255));
        return data;
    }

    Address Position(Address size) {
        if (Chance(40)) {
            const int block = Chance(50) ? TMemoryModule::BlockSize : kFileBlockBytes;
            const auto boundary = Uniform(0, static_cast<int>(size / block) + 1);
            return std::clamp<Address>(Address{boundary} * block + Uniform(-3, 3), 0, size);
        }
        return Uniform(0, static_cast<int>(size));
    }

    ByteCount Count() { return Chance(60) ? Uniform(0, 9) : Uniform(1, 6000); }

    // A request for a store of `size` bytes; `data` keeps its bytes alive.
    TEditRequest Next(Address size, Bytes& data) {
        const auto kind = static_cast<TEditKind>(size > 20000 ? 3 : Uniform(0, 12));
        TEditRequest r;
        r.Kind = kind;
        r.Address = Position(size);
        r.Count = Count();
        switch (kind) {
        case TEditKind::Insert:
        case TEditKind::Overwrite:
        case TEditKind::Replace:
            data = Data(6000);
            if (Chance(10)) r.Address = size + Uniform(0, 5);
            r.Data = data.data();
            r.Length = std::ssize(data);
            break;
        case TEditKind::Delete:
            if (size > 20000) r.Count = Uniform(4000, 12000);
            break;
        case TEditKind::BitRotation:
        case TEditKind::ByteRotation:
            r.Length = Uniform(1, 70) * (Chance(50) ? 1 : -1);
            break;
        case TEditKind::IncrementBig:
        case TEditKind::DecrementBig:
            // A big-endian range must lie inside the data: its low byte is its last.
            r.Address = std::min(r.Address, std::max<Address>(size - 1, 0));
            r.Count = std::clamp<ByteCount>(r.Count, 1, std::max<ByteCount>(size - r.Address, 1));
            break;
        default:
            break;
        }
        return r;
    }

private:
    std::mt19937 rng_;
};

class DifferentialTest : public testing::TestWithParam<std::tuple<unsigned, bool>> {};

TEST_P(DifferentialTest, StoreFollowsTheModelThroughEditsUndoAndRedo) {
    const auto [seed, onDemand] = GetParam();
    TRequestSource source(seed);
    TMemoryModule module;
    test::TScriptedHost host;
    TEditHistory history(module, host);
    history.ApplySettings(1 << 20, false); // a gigabyte: nothing is trimmed

    Bytes initial(source.Uniform(0, 12000));
    for (Byte& b : initial)
        b = static_cast<Byte>(source.Uniform(0, 255));
    test::TTempFolder folder;
    const std::string original = folder.Write("original", initial);
    if (onDemand) {
        module.FileBlockBytes = TRequestSource::kFileBlockBytes;
        ASSERT_EQ(module.LoadFromFile(original, 0), 0);
    } else {
        module.InsertBytes(initial.data(), 0, static_cast<ByteCount>(initial.size()));
    }
    TModel model(initial);

    // snapshots[i]: the contents after i groups; the history stands at group `applied`.
    std::vector<Bytes> snapshots{initial};
    std::size_t applied = 0;
    const auto undo = [&] {
        history.Undo();
        --applied;
        return SameContents(module, snapshots[applied]);
    };
    const auto redo = [&] {
        history.Redo();
        ++applied;
        return SameContents(module, snapshots[applied]);
    };

    for (int step = 0; step < 1200; ++step) {
        SCOPED_TRACE(testing::Message() << "step " << step);
        if (source.Chance(4)) {
            module.Compact();
            ASSERT_TRUE(SameContents(module, model.bytes)) << "after Compact";
            continue;
        }
        if (onDemand && source.Chance(2)) {
            // A save elsewhere copies the unchanged ranges from the file read on demand.
            const std::string copy = folder / "copy";
            ASSERT_EQ(module.SaveToFile(copy), 0);
            ASSERT_EQ(test::TTempFolder::Read(copy), model.bytes) << "saved copy";
            continue;
        }
        if (source.Chance(3) && applied > 0) {
            const int back = source.Uniform(1, static_cast<int>(std::min<std::size_t>(applied, 6)));
            for (int i = 0; i < back; ++i)
                ASSERT_TRUE(undo()) << "undo";
            for (int i = source.Uniform(0, back); i > 0; --i)
                ASSERT_TRUE(redo()) << "redo";
            model.bytes = snapshots[applied];
            continue;
        }
        // Mostly one change per group; sometimes a few, as a replace-all makes.
        for (int n = source.Chance(10) ? source.Uniform(2, 4) : 1; n > 0; --n) {
            Bytes data;
            const TEditRequest request = source.Next(module.Size(), data);
            model.Apply(request);
            history.Apply(request, true);
            ASSERT_TRUE(SameContents(module, model.bytes))
                << "kind " << int(request.Kind) << " at " << request.Address << " length "
                << request.Length << " count " << request.Count;
        }
        history.AdvanceGroup();
        snapshots.resize(applied + 1); // the new group discarded the redo tail
        snapshots.push_back(model.bytes);
        ++applied;
    }

    while (applied > 0)
        ASSERT_TRUE(undo()) << "undo to group " << applied - 1;
    EXPECT_FALSE(history.CanUndo());
    while (applied + 1 < snapshots.size())
        ASSERT_TRUE(redo()) << "redo to group " << applied + 1;
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(host.Beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DifferentialTest,
                         testing::Combine(testing::Values(1u, 2u, 3u, 4u), testing::Bool()));

} // namespace
} // namespace mv
