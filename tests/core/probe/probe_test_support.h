#pragma once

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <ctime>

namespace mv::test {

inline constexpr std::array Orders{std::endian::little, std::endian::big};

// Local time rows are checked in a zone that every system knows without a time zone
// database: Japan's, nine hours ahead of UTC all year. Every test that reads local time sets
// its zone.
class TInJapan : public ::testing::Test {
protected:
    void SetUp() override { InZone("JST-9"); }
    static void InZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
};

} // namespace mv::test
