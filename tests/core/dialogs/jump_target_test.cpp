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
