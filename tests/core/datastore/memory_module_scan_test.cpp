#include "core/datastore/memory_module.h"

#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace mv {
namespace {

using test::Append;
using test::ByteVector;
using DiffRun = std::pair<Address, ByteCount>; // a difference run's start and length
constexpr DiffRun kNone{-1, 0};

Address Search(const TMemoryModule& m, const ByteVector& pattern, Address position,
               std::uint8_t direction, std::uint8_t includeStart = 1,
               const TMemoryModule* target = nullptr) {
    return m.SearchPattern({pattern.data(), static_cast<ByteCount>(pattern.size()), position,
                            direction, includeStart, target});
}

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
    EXPECT_EQ(m.SearchPattern(TSearchRecord{}), -1);
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
Address ModelSearch(const ByteVector& data, const ByteVector& pattern, std::int64_t start,
                    bool forward) {
    const auto size = std::ssize(data), length = std::ssize(pattern);
    for (std::int64_t a = forward ? std::max<std::int64_t>(start, 0) : std::min(start, size - 1);
         a >= 0 && a < size; a += forward ? 1 : -1)
        if (a + length <= size && std::equal(pattern.begin(), pattern.end(), data.begin() + a))
            return static_cast<Address>(a);
    return -1;
}

// A fragmented store over a small alphabet, so that patterns occur often and cross blocks.
void FragmentedRandomStore(std::mt19937& rng, TMemoryModule& m, ByteVector& model) {
    std::uniform_int_distribution<int> symbol(0, 2);
    std::uniform_int_distribution<int> length(1, 5000);
    for (int piece = 0; piece < 6; ++piece) {
        ByteVector bytes(length(rng));
        for (Byte& b : bytes)
            b = static_cast<Byte>(symbol(rng));
        const Address at = model.empty() ? 0 : static_cast<Address>(rng() % model.size());
        m.InsertBytes(bytes.data(), at, static_cast<ByteCount>(bytes.size()));
        model.insert(model.begin() + at, bytes.begin(), bytes.end());
    }
    ASSERT_EQ(test::Contents(m), model);
}

TEST(SearchPattern, AgreesWithBruteForceAcrossBlocks) {
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        TMemoryModule m;
        ByteVector model;
        FragmentedRandomStore(rng, m, model);
        for (int query = 0; query < 40; ++query) {
            ByteVector pattern(1 + rng() % 7);
            for (Byte& b : pattern)
                b = static_cast<Byte>(rng() % 3);
            const auto position = static_cast<Address>(rng() % (model.size() + 1));
            const bool include = rng() % 2;
            EXPECT_EQ(Search(m, pattern, position, 0, include),
                      ModelSearch(model, pattern, position + (include ? 0 : 1), true));
            EXPECT_EQ(Search(m, pattern, position, 1, include),
                      ModelSearch(model, pattern, position - (include ? 0 : 1), false));
        }
    }
}

// What the brute-force comparison below never asks: an empty target, and skipping backward.
TEST(FindDifference, EmptyTargetAndSkippingBackward) {
    TMemoryModule m, target, empty;
    Append(m, {0x00, 0x01, 0x02, 0x03});
    Append(target, {0x00, 0xFF, 0xFF, 0x03});
    EXPECT_EQ(Difference(m, empty, 0, 0), kNone);
    EXPECT_EQ(Difference(m, target, 1, 1, 0), kNone) << "backward, skipping the run";
}

// From every position, forward past the run under it and backward counting it, against the
// runs found byte by byte.
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
            for (std::size_t i = at; i < std::min(b.size(), at + rng() % 9000); ++i)
                b[i] ^= 1;
        }
        Append(target, b);
        std::vector<DiffRun> runs;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
            if (a[i] == b[i]) continue;
            if (runs.empty() || runs.back().first + runs.back().second != Address(i))
                runs.push_back({Address(i), 0});
            ++runs.back().second;
        }
        for (int query = 0; query < 60; ++query) {
            const auto p = static_cast<Address>(rng() % (a.size() + 1));
            const auto next =
                std::ranges::find_if(runs, [&](const DiffRun& r) { return r.first > p; });
            EXPECT_EQ(Difference(m, target, p, 0, 0), next == runs.end() ? kNone : *next) << p;
            const auto last = std::find_if(runs.rbegin(), runs.rend(),
                                           [&](const DiffRun& r) { return r.first <= p; });
            EXPECT_EQ(Difference(m, target, p, 1, 1), last == runs.rend() ? kNone : *last) << p;
        }
    }
}

} // namespace
} // namespace mv
