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

} // namespace
} // namespace mv
