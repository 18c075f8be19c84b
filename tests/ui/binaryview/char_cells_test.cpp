#include "ui/binaryview/char_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mv {
namespace {

// One mark a cell: b a byte of its own, c a character one cell wide, W one two cells wide,
// . a dot, - covered by a character before it, and a blank past the data.
std::string Marks(const std::vector<TCharCell>& cells) {
    std::string marks;
    for (const TCharCell& cell : cells)
        marks += cell.Kind == TCharCell::Character && cell.Width == 2 ? 'W' : "bc.- "[cell.Kind];
    return marks;
}

TEST(CharCells, EachSetsCharactersTakeTheCellsOfTheirBytes) {
    struct Case {
        const char* Name;
        CharaSet Set;
        std::vector<Byte> Data;
        std::size_t First;
        std::size_t Count;
        std::string Marks;
    };
    const std::vector<Byte> shiftJis{'a', 0x93, 0xFA, 'b', 0x82}; // a 日 b and a lone lead
    // A é 日 😀, a combining acute, a stray continuation, an overlong NUL, a control and 日 cut
    const std::vector<Byte> utf8{'A',  0xC3, 0xA9, 0xE6, 0x97, 0xA5, 0xF0, 0x9F, 0x98,
                                 0x80, 0xCC, 0x81, 0x80, 0xC0, 0x80, 0x01, 0xE6, 0x97};
    // A あ 😀, a lone low surrogate, a high one before A, and an odd last byte
    const std::vector<Byte> utf16{0x41, 0x00, 0x42, 0x30, 0x3D, 0xD8, 0x00, 0xDE,
                                  0x00, 0xDC, 0x3D, 0xD8, 0x41, 0x00, 0x7F};
    const Case cases[] = {
        {"shift jis", CharaSet::ShiftJis, shiftJis, 0, 6, "bW-bb "},
        {"ascii has no pairs", CharaSet::Ascii, shiftJis, 0, 5, "bbbbb"},
        {"pairs are read from the first cell on", CharaSet::ShiftJis, shiftJis, 2, 2, "bb"},
        {"euc", CharaSet::Euc, {0xC6, 0xFC, 0x41}, 0, 3, "W-b"},
        {"utf-8", CharaSet::Utf8, utf8, 0, 18, "cc-W--W---c-......"},
        {"utf-8 begun before the first cell", CharaSet::Utf8, utf8, 4, 6, "--W---"},
        {"utf-8 running on past the last cell", CharaSet::Utf8, utf8, 0, 5, "cc-W-"},
        {"utf-16le", CharaSet::Utf16Le, utf16, 0, 15, "c-W-W---....c-."},
        {"utf-16le begun before the first cell", CharaSet::Utf16Le, utf16, 6, 5, "--..."},
        {"utf-16be", CharaSet::Utf16Be, {0x00, 0x41, 0x4E, 0x9C}, 0, 6, "c-W-  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Marks(CharCells(c.Data, c.First, c.Count, c.Set)), c.Marks) << c.Name;
}

TEST(CharCells, CharactersCarryTheirCodePoints) {
    const std::vector<Byte> shiftJis{0x93, 0xFA, 0x85, 0x40}; // 日 and a pair that names none
    const auto pairs = CharCells(shiftJis, 0, 4, CharaSet::ShiftJis);
    EXPECT_EQ(pairs[0], (TCharCell{TCharCell::Character, 2, 2, 0x65E5}));
    EXPECT_EQ(pairs[2], (TCharCell{TCharCell::Character, 2, 2, 0}));

    const std::vector<Byte> utf16{0x3D, 0xD8, 0x00, 0xDE, 0xE9, 0x00}; // 😀 é
    const auto unicode = CharCells(utf16, 0, 6, CharaSet::Utf16Le);
    EXPECT_EQ(unicode[0], (TCharCell{TCharCell::Character, 4, 2, 0x1F600}));
    EXPECT_EQ(unicode[4], (TCharCell{TCharCell::Character, 2, 1, 0xE9}));
}

} // namespace
} // namespace mv
