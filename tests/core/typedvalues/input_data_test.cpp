#include "core/typedvalues/input_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mv {
namespace {

TEST(InputData, TypedTextBytes) {
    const std::string kanjiIn = "\x1B$B";
    const std::string kanjiOut = "\x1B(J";
    const std::string kanji = "\x88\x9F"; // 亜 U+4E9C: JIS 0x30 0x21, EUC 0xB0 0xA1
    struct Case {
        std::string text;
        TNewLineCode newLine;
        CharaSet set;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"A\r\nB\r\n", TNewLineCode::Cr, CharaSet::ShiftJis, "A\rB\r"},
        {"\r\r\n\n", TNewLineCode::Lf, CharaSet::ShiftJis, "\r\n\n"},
        {kanji + "\r\nA", TNewLineCode::Lf, CharaSet::Jis, kanjiIn + "0!" + kanjiOut + "\nA"},
        {kanji, TNewLineCode::CrLf, CharaSet::Jis, kanjiIn + "0!"},
        {kanji + "\r\n", TNewLineCode::CrLf, CharaSet::Euc, "\xB0\xA1\r\n"},
        {kanji + "\r\n", TNewLineCode::Lf, CharaSet::Utf16Be, std::string("\x4E\x9C\0\n", 4)},
        {kanji + "\x80", TNewLineCode::CrLf, CharaSet::Utf8, "\xE4\xBA\x9C\xEF\xBF\xBD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypedTextBytes(c.text, c.newLine, c.set), c.bytes)
            << c.text << " " << static_cast<int>(c.newLine);
}

// "é" has no Shift JIS form: it survives only where the text goes to a Unicode set directly.
TEST(InputData, TypedUtf8TextBytes) {
    const std::string text = "\xC3\xA9\r\n\xE4\xBA\x9C"; // é, CR LF, 亜
    EXPECT_EQ(TypedUtf8TextBytes(text, TNewLineCode::Lf, CharaSet::Utf16Le),
              std::string("\xE9\0\n\0\x9C\x4E", 6));
    EXPECT_EQ(TypedUtf8TextBytes(text, TNewLineCode::Cr, CharaSet::Utf8),
              "\xC3\xA9\r\xE4\xBA\x9C");
    EXPECT_EQ(TypedUtf8TextBytes(text, TNewLineCode::CrLf, CharaSet::Euc), "?\r\n\xB0\xA1");
}

} // namespace
} // namespace mv
