#include "core/probe/probe_rows.h"

#include <gtest/gtest.h>

#include "probe_test_support.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace mv {
namespace {

using R = TProbeRow;
using TSpan = std::array<Byte, ProbeSpan>;

// The value of the first bytes in that order as the machine itself reads them.
template <typename T> T Native(const TSpan& bytes, std::endian order) {
    std::array<Byte, sizeof(T)> part;
    std::copy_n(bytes.begin(), sizeof(T), part.begin());
    if (order != std::endian::native) std::ranges::reverse(part);
    return std::bit_cast<T>(part);
}

template <typename Float> std::string Shortest(Float value) {
    if (std::isnan(value)) return "nan";
    std::array<char, 32> text;
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

// Random spans, and the edges of the types read in one order or the other: zero, the sign bit
// alone, infinities, NaN and -1.
std::vector<TSpan> Samples() {
    std::vector<TSpan> samples{{},
                               {0x80},
                               {0, 0, 0, 0, 0, 0, 0, 0x80},
                               {0x7F, 0x80},
                               {0xFF, 0xF0},
                               {0, 0, 0x80, 0x7F},
                               {0, 0, 0, 0, 0, 0, 0xF0, 0x7F}};
    samples.emplace_back().fill(0xFF);
    std::mt19937 random(20240601);
    for (int i = 0; i < 2000; ++i) {
        TSpan& bytes = samples.emplace_back();
        std::ranges::generate(bytes, [&random] { return static_cast<Byte>(random()); });
    }
    return samples;
}

TEST(NumberRows, ReadAsTheMachineReadsInBothOrders) {
    for (const TSpan& bytes : Samples()) {
        for (const std::endian order : test::Orders) {
            auto text = [&](R row) { return RowText(row, bytes, order); };
            EXPECT_EQ(text(R::Int8), std::to_string(Native<std::int8_t>(bytes, order)));
            EXPECT_EQ(text(R::UInt8), std::to_string(Native<std::uint8_t>(bytes, order)));
            EXPECT_EQ(text(R::Int16), std::to_string(Native<std::int16_t>(bytes, order)));
            EXPECT_EQ(text(R::UInt16), std::to_string(Native<std::uint16_t>(bytes, order)));
            EXPECT_EQ(text(R::Int32), std::to_string(Native<std::int32_t>(bytes, order)));
            EXPECT_EQ(text(R::UInt32), std::to_string(Native<std::uint32_t>(bytes, order)));
            EXPECT_EQ(text(R::Int64), std::to_string(Native<std::int64_t>(bytes, order)));
            EXPECT_EQ(text(R::UInt64), std::to_string(Native<std::uint64_t>(bytes, order)));
            EXPECT_EQ(text(R::Float32), Shortest(Native<float>(bytes, order)));
            EXPECT_EQ(text(R::Float64), Shortest(Native<double>(bytes, order)));
        }
    }
}

TEST(NumberRows, ShowTheByteInEachBase) {
    const std::vector<Byte> bytes{0xA5};
    EXPECT_EQ(RowText(R::ByteHex, bytes, std::endian::little), "A5");
    EXPECT_EQ(RowText(R::ByteOctal, bytes, std::endian::little), "245");
    EXPECT_EQ(RowText(R::ByteBinary, bytes, std::endian::little), "10100101");
}

struct TRefusal {
    R Row;
    const char* Typed;
    const char* Reason;
};

const TRefusal Refusals[] = {
    {R::Int8, "128", "値は -128 ～ 127 の範囲で指定して下さい."},
    {R::Int8, "-0x81", "値は -128 ～ 127 の範囲で指定して下さい."},
    {R::Int8, "0x100", "値は -128 ～ 127 の範囲で指定して下さい."},
    {R::UInt8, "-1", "値は 0 ～ 255 の範囲で指定して下さい."},
    {R::UInt64, "18446744073709551616", "値は 0 ～ 18446744073709551615 の範囲で指定して下さい."},
    {R::Int64, "9223372036854775808",
     "値は -9223372036854775808 ～ 9223372036854775807 の範囲で指定して下さい."},
    {R::Int32, "12a", "整数値を入力して下さい."},
    {R::Int32, "--1", "整数値を入力して下さい."},
    {R::Int32, "0x", "整数値を入力して下さい."},
    {R::ByteHex, "100", "値は 00 ～ FF の範囲で指定して下さい."},
    {R::ByteOctal, "8", "8 進数を入力して下さい."},
    {R::ByteBinary, "-1", "2 進数を入力して下さい."},
    {R::Float32, "1e39", "値は 32 ビット浮動小数点数では表せません."},
    {R::Float64, "1e309", "値は 64 ビット浮動小数点数では表せません."},
    {R::Float64, "1,5", "実数値を入力して下さい."},
    {R::Float32, "+-1", "実数値を入力して下さい."},
    {R::Unix32Utc, "2038-01-19 03:14:08",
     "日時は 1901-12-13 20:45:52 ～ 2038-01-19 03:14:07 の範囲で指定して下さい."},
    {R::Unix32Local, "1901-12-14 05:45:51",
     "日時は 1901-12-14 05:45:52 ～ 2038-01-19 12:14:07 の範囲で指定して下さい."},
    {R::Unix64Utc, "2023-02-29 00:00:00", "存在しない日時です."},
    {R::Unix64Local, "2024-01-01 24:00:00", "存在しない日時です."},
    {R::Unix64Utc, "2024/01/01 00:00:00", "日時は YYYY-MM-DD hh:mm:ss の形式で入力して下さい."},
    {R::Unix64Utc, "2024-01-01 -1:00:00", "日時は YYYY-MM-DD hh:mm:ss の形式で入力して下さい."},
    {R::DosDateTime, "1979-12-31 23:59:58",
     "日時は 1980-01-01 00:00:00 ～ 2107-12-31 23:59:58 の範囲で指定して下さい."},
    {R::DosDateTime, "2000-01-01 00:00:01", "MS-DOS 日時の秒には偶数を指定して下さい."},
    {R::FileTime, "1600-12-31 23:59:59",
     "日時は 1601-01-01 00:00:00.0000000 ～ 9999-12-31 23:59:59.9999999 の範囲で指定して下さい."},
    {R::FileTime, "2024-01-01 00:00:00.12345678",
     "日時は YYYY-MM-DD hh:mm:ss.fffffff の形式で入力して下さい."},
    {R::FileTime, "2024-01-01 00:00:00.",
     "日時は YYYY-MM-DD hh:mm:ss.fffffff の形式で入力して下さい."},
    {R::Utf8, "a", "この項目は編集できません."},
};

using TypedText = test::TInJapan;

TEST_F(TypedText, RefusedWithItsReasonAndNoBytes) {
    for (const TRefusal& refusal : Refusals) {
        const TProbeEdit edit = EncodeRow(refusal.Row, refusal.Typed, std::endian::little);
        EXPECT_EQ(edit, TProbeEdit::Refused(refusal.Reason)) << refusal.Typed;
    }
}

struct TRoundTrip {
    R Row;
    const char* Typed;
    const char* Shown;
};

const TRoundTrip RoundTrips[] = {
    {R::Int8, "-128", "-128"},
    {R::Int8, "0x80", "-128"},
    {R::UInt8, " +255 ", "255"},
    {R::Int16, "-0x8000", "-32768"},
    {R::UInt16, "0XbeEF", "48879"},
    {R::Int32, "-0x80000000", "-2147483648"},
    {R::UInt32, "4294967295", "4294967295"},
    {R::Int64, "0xFFFFFFFFFFFFFFFF", "-1"},
    {R::Int64, "-9223372036854775808", "-9223372036854775808"},
    {R::UInt64, "18446744073709551615", "18446744073709551615"},
    {R::ByteHex, "0xa5", "A5"},
    {R::ByteOctal, "17", "017"},
    {R::ByteBinary, "101", "00000101"},
    {R::Float32, "0.1", "0.1"},
    {R::Float32, "-inf", "-inf"},
    {R::Float32, "nan", "nan"},
    {R::Float64, "+1e308", "1e+308"},
    {R::Float64, "4.9e-324", "5e-324"},
    {R::Unix32Utc, "1901-12-13 20:45:52", "1901-12-13 20:45:52"},
    {R::Unix32Local, "2038-01-19 12:14:07", "2038-01-19 12:14:07"},
    {R::Unix64Utc, "1-1-1 0:0:0", "0001-01-01 00:00:00"},
    {R::Unix64Local, "9999-12-31 23:59:59", "9999-12-31 23:59:59"},
    {R::DosDateTime, "2107-12-31 23:59:58", "2107-12-31 23:59:58"},
    {R::FileTime, "1601-01-01 00:00:00", "1601-01-01 00:00:00.0000000"},
    {R::FileTime, "2024-02-29 12:34:56.5", "2024-02-29 12:34:56.5000000"},
    {R::FileTime, "9999-12-31 23:59:59.9999999", "9999-12-31 23:59:59.9999999"},
};

TEST_F(TypedText, ReadsBackAsShownInBothOrders) {
    for (const TRoundTrip& trip : RoundTrips) {
        for (const std::endian order : test::Orders) {
            const TProbeEdit edit = EncodeRow(trip.Row, trip.Typed, order);
            ASSERT_EQ(edit.Refusal, "") << trip.Typed;
            EXPECT_EQ(edit.Bytes.size(), RowSize(trip.Row)) << trip.Typed;
            EXPECT_EQ(RowText(trip.Row, edit.Bytes, order), trip.Shown) << trip.Typed;
        }
    }
    for (int row = 0; row < ProbeRowCount; ++row) {
        const bool tried = std::ranges::any_of(
            RoundTrips, [row](const TRoundTrip& trip) { return trip.Row == R(row); });
        EXPECT_EQ(tried, RowEditable(R(row))) << RowCaption(R(row));
    }
    EXPECT_EQ(EncodeRow(R::UInt16, "0x1234", std::endian::little).Bytes,
              (std::vector<Byte>{0x34, 0x12}));
    EXPECT_EQ(EncodeRow(R::UInt16, "0x1234", std::endian::big).Bytes,
              (std::vector<Byte>{0x12, 0x34}));
}

} // namespace
} // namespace mv
