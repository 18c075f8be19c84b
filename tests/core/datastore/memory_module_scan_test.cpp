#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace mv {
namespace {

using test::Append;
using test::ByteVector;
using test::Contents;

Address Search(const TMemoryModule& m, const ByteVector& pattern, Address position,
               std::uint8_t direction, std::uint8_t includeStart = 1,
               const TMemoryModule* target = nullptr) {
    TSearchRecord r;
    r.Pattern = pattern.data();
    r.Length = static_cast<ByteCount>(pattern.size());
    r.Position = position;
    r.Direction = direction;
    r.IncludeStart = includeStart;
    r.DifferenceTarget = target;
    return m.SearchPattern(r);
}

struct DiffRun {
    Address start;
    ByteCount length;
    friend bool operator==(const DiffRun&, const DiffRun&) = default;
};

std::ostream& operator<<(std::ostream& os, const DiffRun& r) { return os << r.start << "+" << r.length; }

DiffRun Difference(const TMemoryModule& m, const TMemoryModule& target, Address position,
               std::uint8_t direction, std::uint8_t includeCurrent = 1) {
    ByteCount length = -1;
    const Address start = m.FindDifference({&target, position, direction, includeCurrent}, length);
    return {start, length};
}

TEST(SearchPattern, Examples) {
    TMemoryModule m;
    Append(m, {0x41, 0x41, 0x42});
    // Starting on a match that ends its block: random stores seldom ask for one.
    EXPECT_EQ(Search(m, {0x41, 0x42}, 1, 0), 1);
    EXPECT_EQ(Search(m, {0x41, 0x42}, 1, 0, 0), -1) << "the hit under the start is skipped";
    EXPECT_EQ(Search(m, {0x41, 0x42}, 3, 1), 1) << "backward from the EOF cell";
    EXPECT_EQ(Search(m, {0x41, 0x41, 0x42, 0x00}, 0, 0), -1) << "longer than what is left";
    EXPECT_EQ(Search(m, {0x41, 0x41, 0x42, 0x00}, 3, 1), -1);
    EXPECT_EQ(Search(m, {}, 0, 0), -1);
    TSearchRecord none;
    EXPECT_EQ(m.SearchPattern(none), -1);
}

TEST(SearchPattern, DifferenceTargetSkipsMatchesEqualToIt) {
    TMemoryModule m, target;
    Append(m, {1, 2, 0, 1, 2, 0, 1, 2});
    Append(target, {1, 2, 0, 1, 9, 0, 1});
    EXPECT_EQ(Search(m, {1, 2}, 0, 0, 1, &target), 3);
    EXPECT_EQ(Search(m, {1, 2}, 4, 0, 1, &target), 6) << "the target ends inside the match";
    EXPECT_EQ(Search(m, {1, 2}, 2, 1, 1, &target), -1);
}

// Brute force over the plain bytes, straight from the meaning of a search.
Address ModelSearch(const ByteVector& data, const ByteVector& pattern, std::int64_t start, bool forward) {
    const auto fits = [&](std::int64_t a) {
        return a >= 0 && a + static_cast<std::int64_t>(pattern.size()) <= static_cast<std::int64_t>(data.size()) &&
               std::equal(pattern.begin(), pattern.end(), data.begin() + a);
    };
    if (forward) {
        for (std::int64_t a = std::max<std::int64_t>(start, 0); a < std::int64_t(data.size()); ++a)
            if (fits(a)) return static_cast<Address>(a);
    } else {
        if (start == std::int64_t(data.size())) --start;
        for (std::int64_t a = start; a >= 0; --a)
            if (fits(a)) return static_cast<Address>(a);
    }
    return -1;
}

// A fragmented store over a small alphabet, so that patterns occur often and cross blocks.
void FragmentedRandomStore(std::mt19937& rng, TMemoryModule& m, ByteVector& model) {
    std::uniform_int_distribution<int> symbol(0, 2);
    std::uniform_int_distribution<int> length(1, 5000);
    for (int piece = 0; piece < 6; ++piece) {
        ByteVector bytes(length(rng));
        for (Byte& b : bytes) b = static_cast<Byte>(symbol(rng));
        const Address at = model.empty() ? 0 : static_cast<Address>(rng() % model.size());
        m.InsertBytes(bytes.data(), at, static_cast<ByteCount>(bytes.size()));
        model.insert(model.begin() + at, bytes.begin(), bytes.end());
    }
    ASSERT_EQ(Contents(m), model);
}

TEST(SearchPattern, AgreesWithBruteForceAcrossBlocks) {
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        TMemoryModule m;
        ByteVector model;
        FragmentedRandomStore(rng, m, model);
        for (int query = 0; query < 40; ++query) {
            ByteVector pattern(1 + rng() % 7);
            for (Byte& b : pattern) b = static_cast<Byte>(rng() % 3);
            const auto position = static_cast<Address>(rng() % (model.size() + 1));
            const bool include = rng() % 2;
            EXPECT_EQ(Search(m, pattern, position, 0, include),
                      ModelSearch(model, pattern, position + (include ? 0 : 1), true));
            EXPECT_EQ(Search(m, pattern, position, 1, include),
                      ModelSearch(model, pattern, position - (include ? 0 : 1), false));
        }
    }
}

// The brute-force comparison below looks forward past the current run and backward from it.
TEST(FindDifference, EmptyTargetUnequalLengthsAndSkippingBackward) {
    TMemoryModule m, target, empty, longer;
    Append(m, {0x00, 0x01, 0x02, 0x03});
    Append(target, {0x00, 0xFF, 0xFF, 0x03});
    Append(longer, {0x00, 0x01, 0x02, 0x03, 0x04, 0x05});
    EXPECT_EQ(Difference(m, empty, 0, 0), (DiffRun{-1, 0}));
    EXPECT_EQ(Difference(m, target, 1, 1, 0), (DiffRun{-1, 0})) << "backward, skipping the run";
    EXPECT_EQ(Difference(m, longer, 0, 0), (DiffRun{-1, 0}))
        << "bytes past the shorter end are no run";
    EXPECT_EQ(Difference(longer, target, 6, 1), (DiffRun{1, 2}))
        << "from the end of the longer store";
}

// Every run, from every position, in both directions, against runs found by brute force.
TEST(FindDifference, AgreesWithBruteForceAcrossBlocks) {
    std::mt19937 rng(7);
    for (int round = 0; round < 10; ++round) {
        TMemoryModule m, target;
        ByteVector a, b;
        FragmentedRandomStore(rng, m, a);
        b = a;
        b.resize(a.size() + rng() % 200 - 100);
        for (int flips = 0; flips < 30; ++flips) {
            const std::size_t at = rng() % b.size();
            for (std::size_t i = at; i < std::min(b.size(), at + rng() % 9000); ++i) b[i] ^= 1;
        }
        Append(target, b);
        const std::size_t common = std::min(a.size(), b.size());
        const auto differs = [&](std::size_t i) { return i < common && a[i] != b[i]; };
        for (int query = 0; query < 60; ++query) {
            const std::size_t p = rng() % (a.size() + 1);
            std::size_t s = p;
            if (differs(s)) // forward with include current 0 skips the run under p first
                while (differs(s)) ++s;
            while (s < common && !differs(s)) ++s;
            std::size_t e = s;
            while (differs(e)) ++e;
            const DiffRun forward = s < common ? DiffRun{Address(s), ByteCount(e - s)} : DiffRun{-1, 0};
            EXPECT_EQ(Difference(m, target, Address(p), 0, 0), forward) << p;

            std::int64_t q = std::min<std::int64_t>(p, std::int64_t(common) - 1);
            while (q >= 0 && !differs(q)) --q;
            DiffRun backward{-1, 0};
            if (q >= 0) {
                std::int64_t first = q;
                while (first > 0 && differs(first - 1)) --first;
                std::size_t last = first;
                while (differs(last)) ++last;
                backward = {Address(first), ByteCount(last - first)};
            }
            EXPECT_EQ(Difference(m, target, Address(p), 1, 1), backward) << p;
        }
    }
}

} // namespace
} // namespace mv
