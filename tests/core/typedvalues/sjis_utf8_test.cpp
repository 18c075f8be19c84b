#include "core/typedvalues/sjis_utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace mv {
namespace {

const std::string Replacement = "\xEF\xBF\xBD"; // U+FFFD

TEST(SjisUtf8, ConvertsBothWays) {
    struct Case {
        std::string utf8, shiftJis;
    };
    const Case cases[] = {
        {"", ""},
        {"ASCII \\ ~ 0x7F\x7F", "ASCII \\ ~ 0x7F\x7F"}, // 0x5C stays the backslash
        {"漢字", "\x8A\xBF\x8E\x9A"},
        {"ソ表", "\x83\x5C\x95\x5C"}, // trail bytes that look like a backslash
        {"ｱｲｳﾊﾟ", "\xB1\xB2\xB3\xCA\xDF"},
        {"Pｱｯﾌﾟ範", "P\xB1\xAF\xCC\xDF\x94\xCD"},
        {"①", "\x87\x40"}, // a vendor row of the code page
        {"．カーソル移動", "\x81\x44\x83\x4A\x81\x5B\x83\x5C\x83\x8B\x88\xDA\x93\xAE"},
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
    shiftJis += "\x80"
                "end";
    utf8 += Replacement + "end";
    EXPECT_EQ(ShiftJisToUtf8(shiftJis), utf8);
    EXPECT_EQ(Utf8ToShiftJis(utf8), shiftJis.substr(0, 3000) + "?end");
}

TEST(SjisUtf8, UndecodableShiftJisBytesBecomeReplacementCharacters) {
    struct Case {
        std::string shiftJis, utf8;
    };
    const Case cases[] = {
        {"\x80", Replacement},
        {"a\xA0"
         "b",
         "a" + Replacement + "b"},
        {"\xFD\xFE\xFF", Replacement + Replacement + Replacement},
        {"\x81\x20", Replacement + " "}, // the bad trail is a character of its own
        {"\x81\x7F"
         "A",
         Replacement + "\x7F"
                       "A"},
        {"A\x82", "A" + Replacement}, // a lead byte at the very end
        {"\x88\x9F\x80\x88\x9F", "亜" + Replacement + "亜"},
    };
    for (const auto& [shiftJis, utf8] : cases)
        EXPECT_EQ(ShiftJisToUtf8(shiftJis), utf8) << testing::PrintToString(shiftJis);
}

TEST(SjisUtf8, UnmappableOrMalformedUtf8BecomesOneQuestionMarkEach) {
    struct Case {
        std::string utf8, shiftJis;
    };
    const Case cases[] = {
        {"€", "?"},
        {"caf\xC3\xA9!", "caf?!"},
        {"😀漢", "?\x8A\xBF"},
        {"\xFF"
         "A",
         "?A"},
        {"\x80\x80", "??"},  // stray continuation bytes
        {"A\xE3\x81", "A?"}, // truncated at the end
        {"\xE3\x81"
         "A",
         "?A"}, // truncated before a character
        {"\xC3"
         "\xE3\x81\x82",
         "?\x82\xA0"}, // truncated before a whole "あ"
    };
    for (const auto& [utf8, shiftJis] : cases)
        EXPECT_EQ(Utf8ToShiftJis(utf8), shiftJis) << testing::PrintToString(utf8);
}

} // namespace
} // namespace mv
