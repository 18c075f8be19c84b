#include "core/typedvalues/int_edit_model.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace mv {
namespace {

constexpr auto Bin = TCardinalNumber::cnBinary;
constexpr auto Dec = TCardinalNumber::cnDecimal;
constexpr auto Hex = TCardinalNumber::cnHexadecimal;

TIntEditModel Field(TCardinalNumber radix, TValueType value,
                    TVariableType type = TVariableType::vtUnformat) {
    TIntEditModel field;
    field.SetCardinalNumber(radix);
    field.SetVariableType(type);
    field.SetValue(value);
    return field;
}

// Plays a script on the field: words of keys ("BS", "DEL", "HOME", "END", "LEFT", "RIGHT",
// "CTRL-A", "SPACE", with "S-" for Shift); any other word is typed character by character.
void Play(TIntEditModel& field, const std::string& script) {
    static const std::map<std::string, TIntEditKey> keys = {
        {"BS", TIntEditKey::Backspace},    {"DEL", TIntEditKey::Delete},
        {"HOME", TIntEditKey::Home},       {"END", TIntEditKey::End},
        {"LEFT", TIntEditKey::Left},       {"RIGHT", TIntEditKey::Right},
        {"CTRL-A", TIntEditKey::SelectAll}};
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        const bool shift = word.starts_with("S-");
        const auto key = keys.find(shift ? word.substr(2) : word);
        if (key != keys.end())
            field.Press(key->second, shift);
        else if (word == "SPACE")
            field.Type(' ');
        else
            for (const char c : word)
                field.Type(c);
    }
}

TEST(IntEditModel, TextOfEachRadix) {
    struct Case {
        TCardinalNumber radix;
        TValueType value;
        std::string text;
    };
    const std::vector<Case> cases = {
        {Bin, 0x12345678, "0001,0010-0011,0100-0101,0110-0111,1000b"},
        {Bin, 0x1'8000'0001, "1000,0000-0000,0000-0000,0000-0000,0001b"},
        {Dec, 0, "0d"},
        {Dec, 305419896, "305419896d"},
        {Dec, -1, "18446744073709551615d"},
        {Hex, 0, "0h"},
        {Hex, 0x1FF, "1FFh"},
        {Hex, -1, "FFFFFFFFFFFFFFFFh"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Field(c.radix, c.value).Text(), c.text) << c.value;
}

TEST(IntEditModel, KeyScripts) {
    struct Case {
        TCardinalNumber radix;
        TValueType start;
        std::string script;
        TValueType value;
        TPlace caret;
        TPlace anchor = NoAnchor;
    };
    const std::vector<Case> cases = {
        // Digits shift in from the right; the caret keeps its distance from the right end.
        {Dec, 0, "123", 123, 0},
        {Dec, 0, "123 BS", 12, 0},
        {Dec, 0, "123 BS HOME 9", 912, 2},
        {Dec, 0, "12345 LEFT LEFT 9", 123945, 2},
        {Hex, 0, "ab9F", 0xAB9F, 0},
        {Dec, 0, "a", 0, 0},
        // A leading zero is not typed, anywhere else it is.
        {Dec, 12, "HOME 0", 12, 2},
        {Dec, 12, "LEFT 0", 102, 1},
        // At most 17 decimal and 14 hexadecimal digits.
        {Dec, 99'999'999'999'999'999, "9", 99'999'999'999'999'999, 0},
        {Dec, 99'999'999'999'999'999, "HOME 1", 99'999'999'999'999'999, 17},
        {Hex, 0xFF'FFFF'FFFF'FFFF, "F", 0xFF'FFFF'FFFF'FFFF, 0},
        {Hex, 0x12'3456'789A'BCDE, "LEFT 0", 0x23'4567'89AB'CD0E, 1},
        // A stored value wider than entry allows is cut by the next digit.
        {Dec, -1, "5", 67'440'737'095'516'155, 0},
        // Backspace takes the place left of the caret, Delete clears without a selection.
        {Dec, 12345, "LEFT LEFT BS", 1245, 2},
        {Dec, 12345, "HOME BS", 12345, 5},
        {Dec, 12345, "LEFT DEL", 0, 0},
        {Hex, 0xABC, "DEL", 0, 0},
        {Bin, 0xF0, "LEFT DEL", 0, 1},
        // A selection is taken out as a whole and the caret goes to its low end.
        {Dec, 12345, "LEFT S-LEFT S-LEFT BS", 125, 1},
        {Hex, 0xABCD, "HOME S-RIGHT BS", 0xBCD, 3},
        // Binary: the bit left of the caret, or every bit of the selection, which stays.
        {Bin, 0, "1", 1, 0},
        {Bin, 0, "LEFT LEFT 1", 4, 2},
        {Bin, 5, "SPACE LEFT SPACE", 6, 1},
        {Bin, 0, "HOME 1", 0, 32},
        {Bin, 0, "CTRL-A 1", 0xFFFF'FFFF, 0, 32},
        {Bin, 0x0F, "CTRL-A SPACE", 0xFFFF'FFF0, 0, 32},
        {Bin, 0xFF, "LEFT LEFT S-LEFT S-LEFT 0", 0xF3, 4, 2},
        {Bin, 3, "BS", 2, 0},
        {Bin, -1, "HOME BS", -1, 32},
        // A bit change drops the upper 32 bits.
        {Bin, 0x7'0000'0001, "LEFT 1", 3, 1},
        // The caret stops at both ends; a value of 0 keeps it at the right end.
        {Dec, 12, "LEFT LEFT LEFT", 12, 2},
        {Bin, 0, "HOME LEFT", 0, 32},
        {Dec, 0, "HOME", 0, 0},
        // Shift keeps an anchor; an empty selection is none; a typed digit drops it.
        {Dec, 12345, "S-LEFT S-LEFT", 12345, 2, 0},
        {Dec, 12345, "S-LEFT S-LEFT S-RIGHT S-RIGHT", 12345, 0},
        {Dec, 12345, "S-HOME LEFT", 12345, 5},
        {Dec, 12345, "CTRL-A", 12345, 0, 5},
        {Dec, 12345, "S-LEFT S-LEFT 7", 123745, 2},
        {Bin, 0, "CTRL-A", 0, 0, 32},
    };
    for (const Case& c : cases) {
        TIntEditModel field = Field(c.radix, c.start);
        Play(field, c.script);
        EXPECT_EQ(field.Value(), c.value) << c.script << " from " << c.start;
        EXPECT_EQ(field.Caret(), c.caret) << c.script << " from " << c.start;
        EXPECT_EQ(field.Anchor(), c.anchor) << c.script << " from " << c.start;
    }
}

TEST(IntEditModel, CaretAndAnchorKeepWithinTheText) {
    TIntEditModel field = Field(Dec, 12345);
    Play(field, "CTRL-A");
    field.SetValue(7);
    EXPECT_EQ(field.Anchor(), 1u);
    field.SetCardinalNumber(Hex);
    EXPECT_FALSE(field.HasSelection());
    Play(field, "HOME");
    field.SetValue(0);
    EXPECT_EQ(field.Caret(), 0u);
}

TEST(IntEditModel, CharacterGeometry) {
    // Decimal and hexadecimal: a click goes to the left edge of the character.
    const TIntEditModel dec = Field(Dec, 123); // "123d"
    const std::vector<TPlace> decPlaces = {3, 2, 1, 0, 0};
    for (std::size_t index = 0; index < decPlaces.size(); ++index)
        EXPECT_EQ(dec.PlaceAtChar(index), decPlaces[index]) << index;
    for (TPlace place = 0; place <= 3; ++place) {
        TIntEditModel field = dec;
        field.PressAt(place, false);
        EXPECT_EQ(field.CaretCharIndex(), 3 - place);
    }

    // Binary: a click goes to the bit; a separator counts as the bit before it.
    TIntEditModel bin = Field(Bin, 0);
    const std::vector<std::pair<std::size_t, TPlace>> binPlaces = {
        {0, 31}, {3, 28}, {4, 28}, {5, 27}, {9, 24}, {10, 23}, {38, 0}, {39, 0}};
    for (const auto& [index, place] : binPlaces)
        EXPECT_EQ(bin.PlaceAtChar(index), place) << index;
    const std::vector<std::pair<TPlace, std::size_t>> carets = {{32, 0}, {31, 1},  {28, 4}, {27, 6},
                                                                {24, 9}, {23, 11}, {0, 39}};
    for (const auto& [place, index] : carets) {
        bin.PressAt(place, false);
        EXPECT_EQ(bin.CaretCharIndex(), index) << place;
    }
}

// One letter a character: '.' normal, 'o' overflow colour, 's' selected.
std::string Styles(const TIntEditModel& field) {
    std::string styles;
    for (std::size_t index = 0; index < field.Text().size(); ++index) {
        const TIntCharStyle style = field.StyleOf(index);
        styles += style == TIntCharStyle::Selected   ? 's'
                  : style == TIntCharStyle::Overflow ? 'o'
                                                     : '.';
    }
    return styles;
}

TEST(IntEditModel, OverflowMarking) {
    struct Case {
        TCardinalNumber radix;
        TVariableType type;
        TValueType value;
        std::string styles;
    };
    const auto Byte = TVariableType::vtByte;
    const auto Word = TVariableType::vtWord;
    const auto DWord = TVariableType::vtDoubleWord;
    const auto None = TVariableType::vtUnformat;
    const std::vector<Case> cases = {
        {Hex, Byte, 0x1FF, "o..."},
        {Hex, Word, 0x1FF, "...."},
        {Hex, DWord, 0x1'2345'6789, "o........."},
        {Hex, None, 0x1'2345'6789, ".........."},
        {Dec, Byte, 255, "...."},
        {Dec, Byte, 256, "ooo."},
        {Dec, Word, 65536, "ooooo."},
        {Dec, DWord, 4294967295, "..........."},
        {Dec, DWord, 4294967296, "oooooooooo."},
        {Dec, None, 4294967296, "..........."},
        {Dec, DWord, -1, "oooooooooooooooooooo."},
        {Bin, Word, 0x10000, "oooo,oooo-oooo,oooo-....,....-....,....b"},
        {Bin, Byte, 0, "oooo,oooo-oooo,oooo-oooo,oooo-....,....b"},
        {Bin, DWord, -1, "....,....-....,....-....,....-....,....b"},
    };
    for (const Case& c : cases) {
        std::string expected = c.styles;
        for (char& ch : expected)
            if (ch != 'o' && ch != 's') ch = '.';
        EXPECT_EQ(Styles(Field(c.radix, c.value, c.type)), expected)
            << c.value << " in radix " << static_cast<int>(c.radix);
    }
}

TEST(IntEditModel, SelectionCoversDigitsAndBitsOnly) {
    TIntEditModel hex = Field(Hex, 0x1FF, TVariableType::vtByte);
    Play(hex, "HOME S-RIGHT S-RIGHT");
    EXPECT_EQ(Styles(hex), "ss..");
    TIntEditModel bin = Field(Bin, 0, TVariableType::vtByte);
    Play(bin, "LEFT LEFT LEFT S-LEFT S-LEFT S-LEFT");
    // Bits 5 to 3, on both sides of the comma; the comma itself stays unselected.
    EXPECT_EQ(Styles(bin), "oooo.oooo.oooo.oooo.oooo.oooo...ss.s....");
}

} // namespace
} // namespace mv
