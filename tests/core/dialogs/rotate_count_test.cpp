#include "core/dialogs/rotate_count.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(RotateCount, ANumberOrZeroInBitsOrBytesTypedAsDigits) {
    EXPECT_EQ(RotateCount("3"), 3);
    EXPECT_EQ(RotateCount("0012"), 12);
    EXPECT_EQ(RotateCount("2147483647"), 2147483647);
    for (const char* junk : {"", "x", "3x", " 3", "2147483648", "99999999999999999999"}) {
        SCOPED_TRACE(junk);
        EXPECT_EQ(RotateCount(junk), 0);
    }
    // Bytes are eight bits each, without wrapping.
    EXPECT_EQ(RotateBits(5, false), 5);
    EXPECT_EQ(RotateBits(2, true), 16);
    EXPECT_EQ(RotateBits(2147483647, true), 17179869176LL);
    // The field takes digits and control characters only.
    EXPECT_TRUE(RotateCountAccepts(U'0'));
    EXPECT_TRUE(RotateCountAccepts(U'9'));
    EXPECT_TRUE(RotateCountAccepts(U'\b'));
    EXPECT_TRUE(RotateCountAccepts(0x1F));
    for (const char32_t c : {U' ', U'a', U'-', U'+', U'/', U':', U'０', U'٣'}) {
        SCOPED_TRACE(static_cast<std::uint32_t>(c));
        EXPECT_FALSE(RotateCountAccepts(c));
    }
}

} // namespace
} // namespace mv
