#include "core/probe/probe_rows.h"

#include <gtest/gtest.h>

#include "probe_test_support.h"

#include <vector>

namespace mv {
namespace {

using R = TProbeRow;

struct TCharacter {
    R Row;
    std::endian Order;
    std::vector<Byte> Bytes;
    const char* Shown;
};

constexpr auto Little = std::endian::little;
constexpr auto Big = std::endian::big;

const TCharacter Characters[] = {
    {R::Utf8, Little, {0xE3, 0x81, 0x82, 0xFF}, "あ U+3042"},
    {R::Utf8, Little, {0xF0, 0x9F, 0x98, 0x80}, "😀 U+1F600"},
    {R::Utf8, Little, {0x0A}, "U+000A"},
    {R::Utf8, Little, {0xE3, 0x81}, ""},             // cut off by the end of the data
    {R::Utf8, Little, {0xE3, 0x41, 0x82}, ""},       // not a continuation byte
    {R::Utf8, Little, {0xC0, 0x80}, ""},             // overlong
    {R::Utf8, Little, {0xED, 0xA0, 0x80}, ""},       // surrogate
    {R::Utf8, Little, {0xF4, 0x90, 0x80, 0x80}, ""}, // beyond U+10FFFF
    {R::Utf8, Little, {0xFC, 0x80, 0x80, 0x80}, ""}, // no such lead byte
    {R::Utf16, Little, {0x42, 0x30}, "あ U+3042"},
    {R::Utf16, Little, {0x3D, 0xD8, 0x00, 0xDE}, "😀 U+1F600"},
    {R::Utf16, Big, {0xD8, 0x3D, 0xDE, 0x00}, "😀 U+1F600"},
    {R::Utf16, Big, {0xD8, 0x3D, 0xDE}, ""},       // the pair is cut off
    {R::Utf16, Big, {0xD8, 0x3D, 0x00, 0x41}, ""}, // high surrogate alone
    {R::Utf16, Big, {0xDE, 0x00, 0xD8, 0x3D}, ""}, // low surrogate first
    {R::ShiftJis, Little, {0x82, 0xA0}, "あ U+3042"},
    {R::ShiftJis, Little, {0xB1, 0x82}, "ｱ U+FF71"},
    {R::ShiftJis, Little, {0x5C}, "\\ U+005C"},
    {R::ShiftJis, Little, {0x87, 0x40}, "① U+2460"},
    {R::ShiftJis, Little, {0x82}, ""},       // lead byte at the end of the data
    {R::ShiftJis, Little, {0x82, 0x20}, ""}, // bad trail byte
    {R::ShiftJis, Little, {0xA0}, ""},
};

TEST(CharacterRows, ShowTheCharacterAtTheCaretOrNothing) {
    for (const TCharacter& c : Characters)
        EXPECT_EQ(RowText(c.Row, c.Bytes, c.Order), c.Shown) << RowCaption(c.Row) << " " << c.Shown;
}

TEST(GuidRow, ReadsItsFirstGroupsLittleEndianInEitherOrder) {
    const std::vector<Byte> bytes{0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                  0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0xEF};
    for (const std::endian order : test::Orders)
        EXPECT_EQ(RowText(R::Guid, bytes, order), "{03020100-0504-0706-0809-0A0B0C0D0EEF}");
}

} // namespace
} // namespace mv
