#include "core/typedvalues/sjis_utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace mv {
namespace {

const std::string Replacement = "\xEF\xBF\xBD"; // U+FFFD

TEST(SjisUtf8, ConvertsBothWays) {
    const std::pair<std::string, std::string> cases[] = {
        {"ASCII \\ ~ 0x7F\x7F", "ASCII \\ ~ 0x7F\x7F"}, // 0x5C stays the backslash
        {"ソ表", "\x83\x5C\x95\x5C"},                   // trail bytes that look like a backslash
        {"Pｱｯﾌﾟ範", "P\xB1\xAF\xCC\xDF\x94\xCD"},
        {"①", "\x87\x40"}, // a vendor row of the code page
    };
    for (const auto& [utf8, shiftJis] : cases) {
        EXPECT_EQ(Utf8ToShiftJis(utf8), shiftJis) << utf8;
        EXPECT_EQ(ShiftJisToUtf8(shiftJis), utf8) << utf8;
    }
}

// Longer than the converter's working buffer, and growing threefold on the way to UTF-8.
TEST(SjisUtf8, LongTextsConvertWhole) {
    std::string shiftJis, utf8;
    for (int i = 0; i < 3000; ++i) {
        const int kana = i % 63; // 0xA1..0xDF are U+FF61..U+FF9F
        const int codePoint = 0xFF61 + kana;
        shiftJis += static_cast<char>(0xA1 + kana);
        utf8 += {'\xEF', static_cast<char>(0x80 | (codePoint >> 6 & 0x3F)),
                 static_cast<char>(0x80 | (codePoint & 0x3F))};
    }
    EXPECT_EQ(ShiftJisToUtf8(shiftJis + "\x80"), utf8 + Replacement);
    EXPECT_EQ(Utf8ToShiftJis(utf8 + Replacement), shiftJis + "?");
}

TEST(SjisUtf8, UndecodableShiftJisBytesBecomeReplacementCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"\x81\x7F", Replacement + "\x7F"}, // the bad trail is a character of its own
        {"A\x82", "A" + Replacement},       // a lead byte at the very end
        {"\x88\x9F\x80\x88\x9F", "亜" + Replacement + "亜"},
    };
    for (const auto& [shiftJis, utf8] : cases)
        EXPECT_EQ(ShiftJisToUtf8(shiftJis), utf8) << testing::PrintToString(shiftJis);
}

TEST(SjisUtf8, UnmappableOrMalformedUtf8BecomesOneQuestionMarkEach) {
    const std::pair<std::string, std::string> cases[] = {
        {"😀漢", "?\x8A\xBF"},
        {"A\xE3\x81", "A?"},               // truncated at the end
        {"\xC3\xE3\x81\x82", "?\x82\xA0"}, // truncated before a whole "あ"
    };
    for (const auto& [utf8, shiftJis] : cases)
        EXPECT_EQ(Utf8ToShiftJis(utf8), shiftJis) << testing::PrintToString(utf8);
}

} // namespace
} // namespace mv
