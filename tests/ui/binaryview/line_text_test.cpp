#include "ui/binaryview/line_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

TEST(LineText, AddressesAndSums) {
    EXPECT_EQ(AddressText(0x80000000LL), QStringLiteral("80000000")); // rows past the largest file

    const std::vector<Byte> ones(16, 0x01);
    EXPECT_EQ(LineSum(ones, 0x10, TCheckSum::Simple), 0x10);
    // All four bytes of the address count, and only the low 8 bits of the total show.
    EXPECT_EQ(LineSum(ones, 0x01020300, TCheckSum::Ascii), static_cast<Byte>(0x10 + 1 + 2 + 3));
    EXPECT_EQ(LineSum({}, 0, TCheckSum::Simple), 0); // the empty file's "00"

    // Column sums wrap at 8 bits.
    EXPECT_EQ(ColumnSums(std::vector<Byte>(32 * 16, 0x80), 0, 32 * 16)[7], 0);
}

TEST(LineText, PairStartsFollowTheCharacterSet) {
    // "日" in Shift JIS is 93 FA; it begins in column 15 and ends in the next row.
    std::vector<Byte> visible(2 * 16 + 1, 'a');
    visible[15] = visible[17] = 0x93;
    visible[16] = visible[18] = 0xFA;
    const auto starts = PairStarts(visible, 0, 100, CharaSet::ShiftJis);
    EXPECT_TRUE(starts[15]);
    EXPECT_FALSE(starts[16]); // its second half
    EXPECT_TRUE(starts[17]);
    // ASCII has no pairs; a pair needs both bytes inside the data.
    EXPECT_FALSE(PairStarts(visible, 0, 100, CharaSet::Ascii)[15]);
    EXPECT_FALSE(PairStarts(visible, 0, 16, CharaSet::ShiftJis)[15]);

    const std::vector<Byte> euc = {0xC6, 0xFC, 0x41, 0};
    EXPECT_TRUE(PairStarts(euc, 0, 3, CharaSet::Euc)[0]);
    EXPECT_FALSE(PairStarts(euc, 0, 3, CharaSet::ShiftJis)[0]);
}

} // namespace
} // namespace mv
