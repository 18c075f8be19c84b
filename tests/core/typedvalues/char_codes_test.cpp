#include "core/typedvalues/char_codes.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

TEST(CharCodes, NamesKeepTheirPlaces) {
    const std::vector<std::pair<std::uint8_t, std::string_view>> names = {
        {0x04, "End of Transmisson"},
        {0x15, "Negative Ackowledge"},
        {0x17, "End of Transmisson Block"},
        {0x1E, "Record Separatot"},
        {0x23, "Nunber Sign"},
        {0x30, ""},
        {0x3A, "Colon"},
        {0x40, "Commercial At Sign"},
        {0x41, ""},
        {0x5B, "Left Square Bracket"},
        {0x5C, "Reverse Solidus"},
        {0x60, "Grave Accent"},
        {0x7A, ""},
        {0x7E, "Tilde"},
        {0x7F, "Delete"},
        {0x80, ""},
    };
    for (const auto& [code, name] : names)
        EXPECT_EQ(AsciiCharName(code), name) << int(code);
}

TEST(CharCodes, ItemTexts) {
    EXPECT_EQ(CharItemText(0x41), "41h ( 65d) ");
    EXPECT_EQ(CharItemText(0x0A), "0Ah ( 10d) Line Feed");
    EXPECT_EQ(CharItemText(0x00), "00h (  0d) Null");
    EXPECT_EQ(CharItemText(0x7F), "7Fh (127d) Delete");
    EXPECT_EQ(CharItemText(0x85), "85h (133d)");
    EXPECT_EQ(CharItemText(0xFF), "FFh (255d)");
}

TEST(CharCodes, GlyphSlots) {
    using enum TAsciiSet;
    struct Case {
        TAsciiSet set;
        std::uint8_t code;
        std::optional<std::uint8_t> slot;
    };
    const std::vector<Case> cases = {
        {asASCII, 0x41, 0x41},    {asASCII, 0x5C, 0xFC},    {asJISX0201, 0x5C, 0x5C},
        {asNEC, 0x5C, 0x5C},      {asJISX0201, 0x7F, 0x7F}, {asJISX0201, 0x80, {}},
        {asJISX0201, 0x85, {}},   {asJISX0201, 0x9F, {}},   {asJISX0201, 0xA0, 0xA0},
        {asJISX0201, 0xB1, 0xB1}, {asJISX0201, 0xDF, 0xDF}, {asJISX0201, 0xE0, {}},
        {asJISX0201, 0xFF, {}},   {asNEC, 0x85, 0x85},      {asNEC, 0xFC, 0xFC},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlyphSlot(c.set, c.code), c.slot) << int(c.code);
    EXPECT_EQ(CodeCount(asASCII), 128);
    EXPECT_EQ(CodeCount(asJISX0201), 256);
    EXPECT_EQ(CodeCount(asNEC), 256);
}

} // namespace
} // namespace mv
