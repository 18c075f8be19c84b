#include "core/typedvalues/unicode_chars.h"

#include "support/iconv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace mv {
namespace {

using test::Iconv;
using namespace std::string_literals;

struct TSet {
    CharaSet Set;
    const char* IconvName;
};
constexpr TSet Sets[] = {
    {CharaSet::Utf8, "UTF-8"}, {CharaSet::Utf16Le, "UTF-16LE"}, {CharaSet::Utf16Be, "UTF-16BE"}};

std::span<const std::uint8_t> BytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Utf32(const std::vector<char32_t>& codePoints) {
    std::string out;
    out.reserve(codePoints.size() * 4);
    for (const char32_t c : codePoints)
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>(c >> (8 * i)));
    return out;
}

// Equal texts, or where they first differ: millions of bytes are not worth printing.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    const auto a =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first;
    return testing::AssertionFailure() << "differ at byte " << a - actual.begin() << " of "
                                       << actual.size() << " (expected " << expected.size() << ")";
}

} // namespace

void PrintTo(const TUnicodeChar& c, std::ostream* out) {
    *out << "{length " << int{c.Length} << ", U+" << std::hex << std::uint32_t{c.CodePoint}
         << std::dec << (c.Valid ? "}" : ", invalid}");
}

namespace {

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

TEST(UnicodeChars, EveryCodePointAgreesWithIconvBothWays) {
    std::vector<char32_t> all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF) all.push_back(c);
    const std::string utf32 = Utf32(all);
    const std::string utf8 = *Iconv("UTF-32LE", "UTF-8")(utf32);
    for (const auto& [set, name] : Sets) {
        SCOPED_TRACE(name);
        const std::string encoded = *Iconv("UTF-32LE", name)(utf32);
        EXPECT_TRUE(SameBytes(Utf8ToUnicodeSet(set, utf8), encoded));

        std::vector<char32_t> shown;
        std::size_t at = 0;
        for (const char32_t expected : all) {
            const TUnicodeChar c = DecodeUnicodeChar(set, BytesOf(encoded).subspan(at));
            ASSERT_TRUE(c.Valid && c.CodePoint == expected)
                << std::hex << static_cast<std::uint32_t>(expected);
            at += c.Length;
            shown.insert(shown.end(), IsControl(expected) ? c.Length : 1,
                         IsControl(expected) ? U'\uFF65' : expected);
        }
        EXPECT_EQ(at, encoded.size());
        EXPECT_TRUE(SameBytes(UnicodeSetToUtf8(set, BytesOf(encoded)),
                              *Iconv("UTF-32LE", "UTF-8")(Utf32(shown))));
    }
}

// Short strings of the bytes where the rules change, and of any byte: a string decodes into
// valid characters exactly when glibc takes it, and into the same code points.
TEST(UnicodeChars, RandomBytesAgreeWithIconv) {
    const std::vector<std::uint8_t> edges = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                                             0xBF, 0xC0, 0xC1, 0xC2, 0xDB, 0xDC, 0xDF, 0xE0,
                                             0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xF8, 0xFF, 0xD8};
    std::mt19937 random(20240611);
    for (const auto& [set, name] : Sets) {
        const Iconv toUtf32(name, "UTF-32LE");
        int valid = 0;
        for (int round = 0; round < 100000; ++round) {
            std::string bytes(1 + random() % 6, '\0');
            for (char& b : bytes)
                b = static_cast<char>(random() % 2 != 0 ? edges[random() % edges.size()]
                                                        : random() % 256);
            std::vector<char32_t> codePoints;
            bool allValid = true;
            for (std::size_t at = 0; at < bytes.size();) {
                const TUnicodeChar c = DecodeUnicodeChar(set, BytesOf(bytes).subspan(at));
                allValid = allValid && c.Valid;
                codePoints.push_back(c.CodePoint);
                at += c.Length;
            }
            const std::optional<std::string> reference = toUtf32(bytes);
            ASSERT_EQ(allValid, reference.has_value())
                << name << " " << testing::PrintToString(bytes);
            if (!allValid) continue;
            ++valid;
            ASSERT_EQ(Utf32(codePoints), *reference)
                << name << " " << testing::PrintToString(bytes);
        }
        EXPECT_GT(valid, 5000) << name;
    }
}

TEST(UnicodeChars, EdgeCases) {
    struct Case {
        const char* what;
        CharaSet set;
        std::string bytes;
        TUnicodeChar expected;
        bool drawable;
    };
    const TUnicodeChar bad1{1, 0, false};
    const TUnicodeChar bad2{2, 0, false};
    const Case cases[] = {
        {"overlong", CharaSet::Utf8, "\xC0\x80"s, bad1, false},
        {"overlong", CharaSet::Utf8, "\xC1\xBF"s, bad1, false},
        {"overlong", CharaSet::Utf8, "\xE0\x9F\xBF"s, bad1, false},
        {"overlong", CharaSet::Utf8, "\xF0\x8F\xBF\xBF"s, bad1, false},
        {"surrogate", CharaSet::Utf8, "\xED\xA0\x80"s, bad1, false},
        {"surrogate", CharaSet::Utf8, "\xED\xBF\xBF"s, bad1, false},
        {"below surrogates", CharaSet::Utf8, "\xED\x9F\xBF"s, {3, 0xD7FF, true}, true},
        {"past U+10FFFF", CharaSet::Utf8, "\xF4\x90\x80\x80"s, bad1, false},
        {"past U+10FFFF", CharaSet::Utf8, "\xF8\x88\x80\x80"s, bad1, false},
        {"last code point", CharaSet::Utf8, "\xF4\x8F\xBF\xBF"s, {4, 0x10FFFF, true}, true},
        {"cut", CharaSet::Utf8, "\xE3\x81"s, bad1, false},
        {"cut", CharaSet::Utf8, "\xF0\x9F\x98"s, bad1, false},
        {"stray continuation", CharaSet::Utf8, "\x80\x80"s, bad1, false},
        {"missing continuation", CharaSet::Utf8, "\xE3\x41\x82"s, bad1, false},
        {"control", CharaSet::Utf8, "\0"s, {1, 0, true}, false},
        {"control", CharaSet::Utf8, "\x7F"s, {1, 0x7F, true}, false},
        {"C1 control", CharaSet::Utf8, "\xC2\x85"s, {2, 0x85, true}, false},
        {"no-break space", CharaSet::Utf8, "\xC2\xA0"s, {2, 0xA0, true}, true},
        {"pair", CharaSet::Utf16Le, "\x3D\xD8\x00\xDE"s, {4, 0x1F600, true}, true},
        {"pair", CharaSet::Utf16Be, "\xD8\x3D\xDE\x00"s, {4, 0x1F600, true}, true},
        {"high surrogate cut", CharaSet::Utf16Le, "\x3D\xD8\x00"s, bad2, false},
        {"high surrogate alone", CharaSet::Utf16Be, "\xD8\x3D\x00\x41"s, bad2, false},
        {"two high surrogates", CharaSet::Utf16Be, "\xD8\x3D\xD8\x3D"s, bad2, false},
        {"low surrogate alone", CharaSet::Utf16Le, "\x00\xDE\x3D\xD8"s, bad2, false},
        {"odd last byte", CharaSet::Utf16Le, "\x41"s, bad1, false},
        {"control", CharaSet::Utf16Be, "\0\x0A"s, {2, 0x0A, true}, false},
        {"not a Unicode set", CharaSet::ShiftJis, "\x82\xA0"s, bad1, false},
        {"nothing", CharaSet::Utf8, ""s, {0, 0, false}, false},
    };
    for (const Case& c : cases) {
        const TUnicodeChar decoded = DecodeUnicodeChar(c.set, BytesOf(c.bytes));
        EXPECT_EQ(decoded, c.expected) << c.what << " " << testing::PrintToString(c.bytes);
        EXPECT_EQ(decoded.Drawable(), c.drawable) << c.what;
    }
}

TEST(UnicodeChars, CharStartLooksBackOverOneCharacter) {
    const std::string utf8 = "a\xE3\x81\x82\x80\x80\x80\x80";
    const std::size_t utf8Starts[] = {0, 1, 1, 1, 4, 5, 6, 7};
    for (std::size_t at = 0; at < utf8.size(); ++at)
        EXPECT_EQ(UnicodeCharStart(CharaSet::Utf8, BytesOf(utf8), at), utf8Starts[at]) << at;
    // A, the pair of U+1F600, a lone low surrogate.
    const std::string utf16 = "A\0\x3D\xD8\x00\xDE\x00\xDE"s;
    const std::size_t utf16Starts[] = {0, 0, 2, 2, 2, 2, 6, 6};
    for (std::size_t at = 0; at < utf16.size(); ++at)
        EXPECT_EQ(UnicodeCharStart(CharaSet::Utf16Le, BytesOf(utf16), at), utf16Starts[at]) << at;
}

TEST(UnicodeChars, WidthsAndCombiningMarks) {
    // Hangul jamo, hiragana, an ideograph, a fullwidth letter, an emoji, planes 2 and 3 up to
    // their unassigned ends.
    for (const char32_t c : {0x1100, 0x3042, 0x4E00, 0xFF21, 0x1F600, 0x20000, 0x2FFFD, 0x3FFFD})
        EXPECT_TRUE(IsWideChar(c)) << std::hex << static_cast<std::uint32_t>(c);
    // ASCII, the halfwidth dot, a Latin letter, private use (ambiguous), the combining voiced
    // mark (wide by its East Asian width, but a mark), the last code point.
    for (const char32_t c : {0x41, 0xFF65, 0xE9, 0xE000, 0x3099, 0x10FFFF})
        EXPECT_FALSE(IsWideChar(c)) << std::hex << static_cast<std::uint32_t>(c);
    // Nonspacing and enclosing marks, a variation selector in plane 14.
    for (const char32_t c : {0x0301, 0x20DD, 0x3099, 0xE0100})
        EXPECT_TRUE(IsCombiningMark(c)) << std::hex << static_cast<std::uint32_t>(c);
    // A letter, a spacing mark, a zero-width space (a format character), ASCII.
    for (const char32_t c : {0x0915, 0x093E, 0x200B, 0x41})
        EXPECT_FALSE(IsCombiningMark(c)) << std::hex << static_cast<std::uint32_t>(c);
}

TEST(UnicodeChars, TextConversions) {
    // Each byte of an undrawable or broken character is one dot.
    EXPECT_EQ(UnicodeSetToUtf8(CharaSet::Utf8, BytesOf("A\0\xE3\x81\x82\xE3\x81"s)), "A･あ･･");
    EXPECT_EQ(UnicodeSetToUtf8(CharaSet::Utf16Be, BytesOf("\x30\x42\xDC\x00\x0A"s)), "あ･･･");
    // Typed text keeps its controls; a byte that begins no UTF-8 character is U+FFFD.
    EXPECT_EQ(Utf8ToUnicodeSet(CharaSet::Utf16Le, "\xFF"
                                                  "A\r"),
              "\xFD\xFF"
              "A\0\r\0"s);
    EXPECT_EQ(Utf8ToUnicodeSet(CharaSet::Utf8, "\xE3\x81"
                                               "A"),
              "\xEF\xBF\xBD\xEF\xBF\xBD"
              "A");
    EXPECT_EQ(Utf8ToUnicodeSet(CharaSet::Euc, "\xE3\x81"), "\xE3\x81");
}

} // namespace
} // namespace mv
