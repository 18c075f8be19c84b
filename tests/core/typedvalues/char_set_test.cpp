#include "core/typedvalues/char_set.h"

#include "support/iconv.h"

#include <gtest/gtest.h>

#include <string>

namespace mv {
namespace {

using test::Iconv;

const std::string KanjiIn = "\x1B$B";
const std::string KanjiOut = "\x1B(J";

std::string Bytes(const CharPair& pair) {
    return {static_cast<char>(pair[0]), static_cast<char>(pair[1])};
}

CharPair PairAt(const std::string& bytes, std::size_t at) {
    return {static_cast<std::uint8_t>(bytes[at]), static_cast<std::uint8_t>(bytes[at + 1])};
}

TEST(CharSet, JisX0208PairsAgreeWithIconv) {
    const Iconv toEuc("SHIFT_JIS", "EUC-JP");
    const Iconv toJis("SHIFT_JIS", "ISO-2022-JP");
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xEF; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const CharPair sjis = {static_cast<std::uint8_t>(lead),
                                   static_cast<std::uint8_t>(trail)};
            if (!IsShiftJisPair(sjis[0], sjis[1])) continue;
            const auto euc = toEuc(Bytes(sjis));
            const auto jis = toJis(Bytes(sjis)); // ESC $ B, the pair, ESC ( B
            if (!euc || !jis) continue;
            ++mapped;
            SCOPED_TRACE(testing::Message() << std::hex << lead << ' ' << trail);
            ASSERT_EQ(jis->size(), 8u);
            ASSERT_EQ(euc->size(), 2u);
            EXPECT_EQ(ShiftJisPairToJis(sjis[0], sjis[1]), PairAt(*jis, 3));
            CharPair pair = PairAt(*jis, 3);
            EXPECT_TRUE(DecodeCharPair(CharaSet::Jis, pair));
            EXPECT_EQ(pair, sjis);
            pair = PairAt(*euc, 0);
            EXPECT_TRUE(DecodeCharPair(CharaSet::Euc, pair));
            EXPECT_EQ(pair, sjis);
        }
    }
    EXPECT_GE(mapped, 6879) << "every character of JIS X 0208";
}

TEST(CharSet, TextsAgreeWithIconv) {
    // "A漢字\r\n・Bかな" and the same with half-width ｱｲ: ASCII without 0x5C and 0x7E (yen
    // and overline in Shift JIS), a line end inside kanji, and a text ending in kanji.
    const std::string sjis = "A\x8A\xBF\x8E\x9A\r\n\x81\x45"
                             "B\x82\xA9\x82\xC8";
    const std::string withKana = sjis + "\xB1\xB2";
    EXPECT_EQ(ShiftJisToEucText(withKana), Iconv("SHIFT_JIS", "EUC-JP")(withKana));

    // glibc returns to ASCII with ESC ( B, also at the end; this program returns to JIS
    // Roman, and only before a single-byte character.
    std::string expected = *Iconv("SHIFT_JIS", "ISO-2022-JP")(sjis);
    expected.erase(expected.size() - 3);
    for (std::size_t at; (at = expected.find("\x1B(B")) != std::string::npos;)
        expected.replace(at, 3, KanjiOut);
    EXPECT_EQ(ShiftJisToJisText(sjis), expected);
}

TEST(CharSet, TextConversionEdges) {
    // A lead byte that ends the text pairs with 0x00.
    EXPECT_EQ(ShiftJisToJisText("A\x82"), "A" + KanjiIn + "\x23\xE1");
    EXPECT_EQ(ShiftJisToEucText("A\x82"), "A\xA3\xE1");
    // Half-width katakana enter kanji mode; ｱ takes no voiced mark, so ﾞ stands alone.
    EXPECT_EQ(ShiftJisToJisText("\xB1\xDE\x8A\xBF"), KanjiIn + "\x25\x22\x21\x2B\x34\x41");
}

TEST(CharSet, HalfKanaBecomeFullWidthWithTheirMarks) {
    // Full-width forms of 0xA1..0xDF in order, and the marked forms that join into one.
    const std::string plain =
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナ"
        "ニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    const std::string voicedK = "ガギグゲゴザジズゼゾダヂヅデド"; // 0xB6..0xC4
    const std::string voicedH = "バビブベボ";                     // 0xCA..0xCE
    const std::string semiVoicedH = "パピプペポ";
    const auto glyph = [](const std::string& s, int i) { return s.substr(3 * i, 3); };
    const Iconv toEuc("UTF-8", "EUC-JP");

    for (int b = 0xA1; b <= 0xDF; ++b) {
        for (const int mark : {0x00, 0xDE, 0xDF}) {
            SCOPED_TRACE(testing::Message() << std::hex << b << ' ' << mark);
            std::string expected = glyph(plain, b - 0xA1);
            if (mark == 0xDE && b >= 0xB6 && b <= 0xC4) expected = glyph(voicedK, b - 0xB6);
            if (mark == 0xDE && b >= 0xCA && b <= 0xCE) expected = glyph(voicedH, b - 0xCA);
            if (mark == 0xDF && b >= 0xCA && b <= 0xCE) expected = glyph(semiVoicedH, b - 0xCA);
            if (mark == 0xDE && b == 0xB3) expected = "ヴ";
            const bool joins = expected != glyph(plain, b - 0xA1);
            CharPair jis = PairAt(*toEuc(expected), 0);
            jis = {static_cast<std::uint8_t>(jis[0] & 0x7F),
                   static_cast<std::uint8_t>(jis[1] & 0x7F)};

            std::string text(1, static_cast<char>(b));
            if (mark != 0) text += static_cast<char>(mark);
            std::size_t index = 0;
            EXPECT_EQ(HalfKanaToJis(text, index), jis);
            EXPECT_EQ(index, joins ? 2u : 1u);
        }
    }
}

TEST(CharSet, DecodeCharPairRefusals) {
    const std::pair<CharaSet, CharPair> refused[] = {
        {CharaSet::Ascii, {0x82, 0xA0}},
        {CharaSet::ShiftJis, {0xF0, 0x40}}, // user-defined leads
        {CharaSet::Jis, {0x1B, 0x24}},      // escape sequences are not followed
        {CharaSet::Euc, {0x8E, 0xB1}},      // nor is the single shift
    };
    for (const auto& [set, refusedPair] : refused) {
        CharPair pair = refusedPair;
        EXPECT_FALSE(DecodeCharPair(set, pair)) << Bytes(refusedPair);
        EXPECT_EQ(pair, refusedPair);
    }
}

} // namespace
} // namespace mv
