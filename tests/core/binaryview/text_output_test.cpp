#include "core/binaryview/text_output.h"

#include "core/datastore/memory_module.h"
#include "support/store_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace mv {
namespace {

using test::ByteVector;
using Lines = std::vector<std::string>;

// "･" as the dump writes it: the Shift JIS half-width middle dot, in UTF-8 under the
// Unicode sets.
const std::string kDot = "\xA5";
const std::string kUtf8Dot = "\xEF\xBD\xA5";

Lines Dump(const ByteVector& data, Address start, ByteCount count, CharaSet set = CharaSet::Ascii,
           bool asciiSum = false) {
    TMemoryModule module;
    test::Append(module, data);
    Lines lines;
    TTextOutput(module, set, asciiSum).Run(start, count, [&](std::string_view line, bool&) {
        lines.emplace_back(line);
    });
    return lines;
}

// The layout written out independently: "[address] hex padded to 48 |sum| characters".
std::string Line(unsigned address, const std::string& hex, unsigned sum, const std::string& chars) {
    char head[16];
    std::snprintf(head, sizeof head, "[%08x] ", address);
    char tail[8];
    std::snprintf(tail, sizeof tail, "|%02x| ", sum);
    return head + hex + std::string(48 - hex.size(), ' ') + tail + chars;
}

TEST(TextOutput, LinesFollowTheSixteenByteGrid) {
    EXPECT_EQ(Dump({0x41, 0x42}, 0, 2),
              Lines{"[00000000] 41 42                                           |83| AB"});

    ByteVector data(0x30);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<Byte>(0x30 + i % 10);
    const Lines lines = Dump(data, 0x0e, 0x13);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              Line(0x00, std::string(14 * 3, ' ') + "34 35 ", 0x69, std::string(14, ' ') + "45"));
    EXPECT_EQ(lines[1], Line(0x10, "36 37 38 39 30 31 32 33 34 35 36 37 38 39 30 31 ", 0x4c,
                             "6789012345678901"));
    EXPECT_EQ(lines[2], Line(0x20, "32 ", 0x32, "2"));
}

// Unprintable bytes are middle dots; double-byte characters are shown in Shift JIS.
TEST(TextOutput, CharactersUnderEachSet) {
    const std::string a0 = "\x82\xa0"; // the Shift JIS form of the JIS pair 24 22
    struct Case {
        CharaSet set;
        ByteVector data;
        std::string chars;
    };
    const Case cases[] = {
        {CharaSet::Ascii,
         {0x1f, 0x20, 0x60, 0x7e, 0x7f, 0xa0, 0xa1, 0xdf, 0xe0},
         kDot + " " + kDot + "~" + kDot + kDot + "\xa1\xdf" + kDot},
        {CharaSet::ShiftJis, {0x82, 0xa0, 0x41}, a0 + "A"},
        {CharaSet::Euc, {0xa4, 0xa2, 0x41}, a0 + "A"},
        {CharaSet::Jis, {0x24, 0x22, 0x0a}, a0 + kDot},
        // A control character, and a character cut by the end of the file.
        {CharaSet::Utf8, {0xe3, 0x81, 0x82, 0x41, 0x0a, 0xc3}, "あA" + kUtf8Dot + kUtf8Dot},
        {CharaSet::Utf16Le, {0x42, 0x30, 0x41, 0x00, 0x00, 0xdc}, "あA" + kUtf8Dot + kUtf8Dot},
    };
    for (const Case& c : cases) {
        const Lines lines = Dump(c.data, 0, static_cast<ByteCount>(c.data.size()), c.set);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].substr(11 + 48 + 5), c.chars) << int(c.set);
    }
}

TEST(TextOutput, AsciiChecksumStartsFromTheLineAddress) {
    ByteVector data(0x10123, 0);
    data[0x100] = 0x10;
    data[0x10120] = 0x10;
    EXPECT_EQ(Dump(data, 0x100, 1, CharaSet::Ascii, true), Lines{Line(0x100, "10 ", 0x11, kDot)});
    // Every address byte counts, and each new line starts again from its own address.
    const Lines lines = Dump(data, 0x10110, 0x11, CharaSet::Ascii, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], Line(0x10120, "10 ", 0x32, kDot));
}

TEST(TextOutput, CharacterSplitOverTwoLinesIsWrittenWhole) {
    ByteVector data(0x12, 0x41);
    data[0x0f] = 0x82;
    data[0x10] = 0xa0;
    const Lines lines = Dump(data, 0, 0x12, CharaSet::ShiftJis);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(11 + 48 + 5), std::string(15, 'A') + "\x82\xa0");
    EXPECT_EQ(lines[1], Line(0x10, "a0 41 ", 0xe1, " A"));
    // A character starting at the last byte of the range takes the next byte of the file.
    EXPECT_EQ(Dump({0x41, 0x82, 0xa0}, 0, 2, CharaSet::ShiftJis),
              Lines{Line(0, "41 82 ", 0xc3, "A\x82\xa0")});
    // At the end of the file the byte after is 0, which pairs with nothing.
    EXPECT_EQ(Dump({0x82}, 0, 1, CharaSet::ShiftJis), Lines{Line(0, "82 ", 0x82, kDot)});
}

TEST(TextOutput, UnicodeCharactersRunOnIntoTheNextLine) {
    ByteVector data(0x13, 0x41);
    const Byte grinning[] = {0xf0, 0x9f, 0x98, 0x80}; // U+1F600 in UTF-8
    std::copy(std::begin(grinning), std::end(grinning), data.begin() + 0x0e);
    const Lines lines = Dump(data, 0, 0x13, CharaSet::Utf8);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(11 + 48 + 5), std::string(14, 'A') + "\xf0\x9f\x98\x80");
    EXPECT_EQ(lines[1], Line(0x10, "98 80 41 ", 0x59, "  A"));
    // A range that starts inside a UTF-16 code unit shows that byte as no character.
    EXPECT_EQ(Dump({0x41, 0x00, 0x42, 0x00}, 1, 3, CharaSet::Utf16Le),
              Lines{Line(0, "   00 42 00 ", 0x42, " " + kUtf8Dot + "B")});
}

TEST(TextOutput, LongDumpAgreesWithAPlainReading) {
    const ByteVector data = test::Sequence(200000, 7);
    const Address start = 70001;
    const ByteCount count = 100000;
    const Lines lines = Dump(data, start, count);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>((start + count + 15) / 16 - start / 16));
    std::string hex;
    for (const std::string& line : lines)
        hex += line.substr(11, 48);
    std::string expected(static_cast<std::size_t>(start % 16) * 3, ' ');
    for (Address a = start; a < start + count; ++a) {
        char text[4];
        std::snprintf(text, sizeof text, "%02x ", data[a]);
        expected += text;
    }
    expected.resize(hex.size(), ' ');
    EXPECT_EQ(hex, expected);
}

} // namespace
} // namespace mv
