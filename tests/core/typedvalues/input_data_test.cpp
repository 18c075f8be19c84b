#include "core/typedvalues/input_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mv {
namespace {

const std::string KanjiIn = "\x1B$B";
const std::string KanjiOut = "\x1B(J";
const std::string Kanji = "\x88\x9F"; // 亜: JIS 0x30 0x21, EUC 0xB0 0xA1

TEST(InputData, TypedTextBytes) {
    struct Case {
        std::string text;
        TNewLineCode newLine;
        CharaSet set;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"", TNewLineCode::CrLf, CharaSet::ShiftJis, ""},
        {"", TNewLineCode::Lf, CharaSet::Jis, ""},
        {"A\r\nB", TNewLineCode::CrLf, CharaSet::ShiftJis, "A\r\nB"},
        {"A\r\nB", TNewLineCode::Lf, CharaSet::Euc, "A\nB"},
        {"A\r\nB\r\n", TNewLineCode::Cr, CharaSet::ShiftJis, "A\rB\r"},
        {"\r\r\n\n", TNewLineCode::Lf, CharaSet::ShiftJis, "\r\n\n"},
        {Kanji + "\r\n", TNewLineCode::CrLf, CharaSet::Jis, KanjiIn + "0!" + KanjiOut + "\r\n"},
        {Kanji + "\r\nA", TNewLineCode::Lf, CharaSet::Jis, KanjiIn + "0!" + KanjiOut + "\nA"},
        {Kanji, TNewLineCode::CrLf, CharaSet::Jis, KanjiIn + "0!"},
        {Kanji + "\r\n", TNewLineCode::Cr, CharaSet::Euc, "\xB0\xA1\r"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TypedTextBytes(c.text, c.newLine, c.set), c.bytes)
            << c.text << " " << static_cast<int>(c.newLine);
}

TEST(InputData, BlockCountsItsBytes) {
    EXPECT_EQ(InputDataBlock{}.Count(), 0);
    const InputDataBlock block = InputDataBlock::Of(std::string_view("abc"));
    EXPECT_EQ(block.Count(), 3);
    EXPECT_EQ(block.Bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

} // namespace
} // namespace mv
