#include "core/typedvalues/char_codes.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

// Which glyph of the character bitmap a code shows: 0x5C as a backslash in ASCII, and no glyph
// for the NEC graphics outside their own set.
TEST(CharCodes, GlyphSlots) {
    using enum TAsciiSet;
    struct Case {
        TAsciiSet set;
        std::uint8_t code;
        std::optional<std::uint8_t> slot;
    };
    const std::vector<Case> cases = {
        {asASCII, 0x5C, 0xFC},    {asJISX0201, 0x5C, 0x5C}, {asJISX0201, 0x80, {}},
        {asJISX0201, 0xA0, 0xA0}, {asJISX0201, 0xE0, {}},   {asNEC, 0x85, 0x85},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphSlot(c.set, c.code), c.slot) << int(c.code);
}

} // namespace
} // namespace mv
