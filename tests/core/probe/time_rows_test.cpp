#include "core/probe/endian_bytes.h"
#include "core/probe/probe_rows.h"

#include <gtest/gtest.h>

#include "probe_test_support.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>

namespace mv {
namespace {

using R = TProbeRow;

std::string Text(R row, std::uint64_t value, std::endian order = std::endian::little) {
    return RowText(row, UnsignedBytes(value, RowSize(row), order), order);
}

// What the C library makes of the seconds, in the rows' form.
std::string GmTime(std::int64_t seconds) {
    const std::time_t point = seconds;
    std::tm tm{};
    gmtime_r(&point, &tm);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

TEST(UnixTimeRows, AgreeWithGmTimeWithinTheirYears) {
    constexpr std::int64_t First = -62135596800; // 0001-01-01 00:00:00
    constexpr std::int64_t Last = 253402300799;  // 9999-12-31 23:59:59
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> wide(First, Last);
    for (int i = 0; i < 2000; ++i) {
        const auto narrow = static_cast<std::int32_t>(random());
        const std::int64_t seconds = wide(random);
        for (const std::endian order : test::Orders) {
            EXPECT_EQ(Text(R::Unix32Utc, static_cast<std::uint32_t>(narrow), order),
                      GmTime(narrow));
            EXPECT_EQ(Text(R::Unix64Utc, static_cast<std::uint64_t>(seconds), order),
                      GmTime(seconds));
        }
    }
    for (const std::int64_t seconds : {First, Last, std::int64_t{-1}, std::int64_t{0}})
        EXPECT_EQ(Text(R::Unix64Utc, static_cast<std::uint64_t>(seconds)), GmTime(seconds));
    for (const std::int64_t seconds : {First - 1, Last + 1})
        EXPECT_EQ(Text(R::Unix64Utc, static_cast<std::uint64_t>(seconds)), "");
    for (const R row : {R::Unix64Utc, R::Unix64Local}) {
        EXPECT_EQ(Text(row, 0x8000000000000000), "");
        EXPECT_EQ(Text(row, 0x7FFFFFFFFFFFFFFF), "");
    }
}

using LocalTimeRows = test::TInJapan;

TEST_F(LocalTimeRows, ShowTheZonesTime) {
    EXPECT_EQ(Text(R::Unix32Local, 0), "1970-01-01 09:00:00");
    EXPECT_EQ(Text(R::Unix64Local, 0xFFFFFFFFFFFFFFFF), "1970-01-01 08:59:59");
}

// A local time that the spring clock change skips names no second; one that the autumn change
// repeats names one of the two.
TEST_F(LocalTimeRows, RefuseATimeTheClockSkips) {
    InZone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(EncodeRow(R::Unix64Local, "2024-03-31 02:30:00", std::endian::little),
              TProbeEdit::Refused("存在しない日時です."));
    const TProbeEdit repeated =
        EncodeRow(R::Unix64Local, "2024-10-27 02:30:00", std::endian::little);
    EXPECT_EQ(RowText(R::Unix64Local, repeated.Bytes, std::endian::little), "2024-10-27 02:30:00");
}

TEST(DosDateTimeRow, UnpacksTheDateFromTheHighWord) {
    EXPECT_EQ(Text(R::DosDateTime, 0x00210000), "1980-01-01 00:00:00");
    EXPECT_EQ(Text(R::DosDateTime, 0x00210000, std::endian::big), "1980-01-01 00:00:00");
    EXPECT_EQ(Text(R::DosDateTime, 0x58A46B7D), "2024-05-04 13:27:58");
    EXPECT_EQ(Text(R::DosDateTime, 0), "") << "month 0";
    EXPECT_EQ(Text(R::DosDateTime, 0x0021001E), "") << "second 60";
    EXPECT_EQ(Text(R::DosDateTime, 0x00220000 | 24 << 11), "") << "hour 24";
    EXPECT_EQ(Text(R::DosDateTime, 0x005E0000), "") << "February 30";
}

TEST(FileTimeRow, CountsTicksFrom1601) {
    EXPECT_EQ(Text(R::FileTime, 116444736000000000), "1970-01-01 00:00:00.0000000");
    EXPECT_EQ(Text(R::FileTime, 116444736000000000, std::endian::big),
              "1970-01-01 00:00:00.0000000");
    EXPECT_EQ(Text(R::FileTime, 0), "1601-01-01 00:00:00.0000000");
    EXPECT_EQ(Text(R::FileTime, 133539264001234567), "2024-03-03 08:00:00.1234567");
    EXPECT_EQ(Text(R::FileTime, 2650467743999999999), "9999-12-31 23:59:59.9999999");
    EXPECT_EQ(Text(R::FileTime, 2650467744000000000), "");
    EXPECT_EQ(Text(R::FileTime, 0xFFFFFFFFFFFFFFFF), "");
}

} // namespace
} // namespace mv
