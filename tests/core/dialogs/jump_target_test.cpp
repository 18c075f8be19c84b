#include "core/dialogs/jump_target.h"

#include <gtest/gtest.h>

#include <limits>

namespace mv {
namespace {

TEST(AddressJumpTarget, ReadsTheNumberByKind) {
    EXPECT_EQ(AddressJumpTarget(TAddressMode::Absolute, 100, 0x20), 0x20);
    EXPECT_EQ(AddressJumpTarget(TAddressMode::RelativeDown, 100, 0x20), 132);
    EXPECT_EQ(AddressJumpTarget(TAddressMode::RelativeUp, 100, 0x20), 68);
    // A 32-bit sum would wrap a long forward jump round to a negative address, which then
    // asked whether to go to the start of the file.
    constexpr std::uint32_t Largest = std::numeric_limits<std::uint32_t>::max();
    EXPECT_GT(AddressJumpTarget(TAddressMode::Absolute, 0, Largest), 0);
    EXPECT_GT(AddressJumpTarget(TAddressMode::RelativeDown, 0x7FFFFFF0, 0x7FFFFFFF), 0);
    EXPECT_LT(AddressJumpTarget(TAddressMode::RelativeUp, 8, Largest), 0);
}

TEST(RelativeJumpDistance, TheDirectionGivesTheSign) {
    EXPECT_EQ(RelativeJumpDistance(0x10, false), 0x10);
    EXPECT_EQ(RelativeJumpDistance(0x10, true), -0x10);
    // The top bit is part of the distance, not a sign that would turn the jump round.
    EXPECT_EQ(RelativeJumpDistance(0x80000000u, false), 0x80000000LL);
    EXPECT_EQ(RelativeJumpDistance(0x80000000u, true), -0x80000000LL);
}

TEST(JumpPattern, SixtyFourBitsFromFourGiBOn) {
    constexpr ByteCount FourGiB = ByteCount{1} << 32;
    EXPECT_EQ(JumpPattern(0), TIntPattern::Bits32);
    EXPECT_EQ(JumpPattern(FourGiB - 1), TIntPattern::Bits32);
    // Its end position, 2^32, is no 32-bit number.
    EXPECT_EQ(JumpPattern(FourGiB), TIntPattern::Bits64);
}

// 64-bit numbers: a target past 2^32 is taken as it is, and one beyond the range of addresses
// stays at its edge rather than wrap round to the other end of the file.
TEST(AddressJumpTarget, SixtyFourBitNumbersNeverWrap) {
    constexpr std::int64_t Largest = std::numeric_limits<std::int64_t>::max();
    constexpr std::uint64_t All = std::numeric_limits<std::uint64_t>::max();
    constexpr Address SixGiB = Address{6} << 30;
    struct TCase {
        TAddressMode Kind;
        Address Caret;
        std::uint64_t Value;
        std::int64_t Target;
    };
    const TCase cases[] = {
        {TAddressMode::Absolute, 0, 0x1'2345'6789, 0x1'2345'6789},
        {TAddressMode::RelativeDown, 0xFFFF'FFFF, 1, 0x1'0000'0000},
        {TAddressMode::RelativeUp, 0x1'0000'0005, 0x1'0000'0000, 5},
        {TAddressMode::Absolute, 0, Largest, Largest},
        {TAddressMode::Absolute, 0, All, Largest},
        {TAddressMode::RelativeDown, SixGiB, Largest, Largest},
        {TAddressMode::RelativeDown, SixGiB, All, Largest},
        {TAddressMode::RelativeUp, 8, Largest, 8 - Largest},
        {TAddressMode::RelativeUp, 8, All, 8 - Largest},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(AddressJumpTarget(c.Kind, c.Caret, c.Value), c.Target);
    }
    // The relative jump tool's sum holds at both edges alike.
    EXPECT_EQ(RelativeJumpTarget(SixGiB, RelativeJumpDistance(All, false)), Largest);
    EXPECT_EQ(RelativeJumpTarget(SixGiB, RelativeJumpDistance(All, true)), SixGiB - Largest);
    EXPECT_EQ(RelativeJumpTarget(-8, std::numeric_limits<std::int64_t>::min()),
              std::numeric_limits<std::int64_t>::min());
}

struct TCheckCase {
    std::int64_t Target;
    Address Expected;
    std::string_view Warning;
};

TEST(CheckJumpTarget, AsksOutsideTheDataAndOffersTheNearerEnd) {
    constexpr Address Size = 100;
    const TCheckCase cases[] = {
        {0, 0, {}},
        {Size, Size, {}}, // the end position needs no question
        {-1, 0, JumpBeforeStartWarning},
        {Size + 1, Size, JumpPastEndWarning},
        {std::int64_t{1} << 40, Size, JumpPastEndWarning},
        {-(std::int64_t{1} << 40), 0, JumpBeforeStartWarning},
        {std::numeric_limits<std::int64_t>::max(), Size, JumpPastEndWarning},
        {std::numeric_limits<std::int64_t>::min(), 0, JumpBeforeStartWarning},
    };
    for (const TCheckCase& c : cases) {
        SCOPED_TRACE(c.Target);
        const TJumpCheck check = CheckJumpTarget(c.Target, Size);
        EXPECT_EQ(check.Target, c.Expected);
        EXPECT_EQ(check.Warning, c.Warning);
    }
    EXPECT_EQ(JumpBeforeStartWarning,
              "指定のアドレスがファイル先頭を越えています.\r\nファイル先頭にジャンプします.");
    EXPECT_EQ(JumpPastEndWarning,
              "指定のアドレスがファイル末尾を越えています.\r\nファイル末尾にジャンプします.");
}

} // namespace
} // namespace mv
