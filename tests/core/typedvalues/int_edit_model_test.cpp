#include "core/typedvalues/int_edit_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace mv {
namespace {

constexpr auto Bin = TCardinalNumber::cnBinary;
constexpr auto Dec = TCardinalNumber::cnDecimal;
constexpr auto Hex = TCardinalNumber::cnHexadecimal;
constexpr auto Byte = TVariableType::vtByte;
constexpr auto Word = TVariableType::vtWord;
constexpr auto DWord = TVariableType::vtDoubleWord;
constexpr auto None = TVariableType::vtUnformat;
constexpr auto Bits32 = TIntPattern::Bits32;
constexpr auto Bits64 = TIntPattern::Bits64;
constexpr TValueType LargestAddress = std::numeric_limits<TValueType>::max();

TIntEditModel Field(TCardinalNumber radix, TValueType value, TVariableType type = None,
                    TIntPattern pattern = Bits32) {
    TIntEditModel field;
    field.SetCardinalNumber(radix);
    field.SetVariableType(type);
    field.SetPattern(pattern);
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
    EXPECT_EQ(Field(Bin, 0x1'8000'0001).Text(), "1000,0000-0000,0000-0000,0000-0000,0001b");
    EXPECT_EQ(Field(Dec, -1).Text(), "18446744073709551615d");
    EXPECT_EQ(Field(Hex, 0x1FF).Text(), "1FFh");
    // A 64-bit field shows every bit in binary.
    EXPECT_EQ(Field(Bin, 0x1'8000'0001, None, Bits64).Text(),
              "0000,0000-0000,0000-0000,0000-0000,0001-1000,0000-0000,0000-0000,0000-0000,0001b");
}

TEST(IntEditModel, KeyScripts) {
    struct Case {
        TCardinalNumber radix;
        TValueType start;
        std::string script;
        TValueType value;
        TPlace caret;
        TPlace anchor = NoAnchor;
        TIntPattern pattern = Bits32;
    };
    const std::vector<Case> cases = {
        // Digits shift in from the right; the caret keeps its distance from the right end.
        {Dec, 0, "123 BS HOME 9", 912, 2},
        // A leading zero is not typed, anywhere else it is.
        {Dec, 12, "HOME 0", 12, 2},
        {Dec, 12, "LEFT 0", 102, 1},
        // At most 17 decimal and 14 hexadecimal digits.
        {Dec, 99'999'999'999'999'999, "9", 99'999'999'999'999'999, 0},
        {Dec, 99'999'999'999'999'999, "HOME 1", 99'999'999'999'999'999, 17},
        {Hex, 0xFF'FFFF'FFFF'FFFF, "F", 0xFF'FFFF'FFFF'FFFF, 0},
        // A stored value wider than entry allows is cut by the next digit.
        {Dec, -1, "5", 67'440'737'095'516'155, 0},
        // A digit that pushes the top digit out shortens the text; the caret follows.
        {Hex, 0x10'0000'0000'0005, "HOME RIGHT 0", 5, 1},
        // Delete clears without a selection.
        {Dec, 12345, "LEFT DEL", 0, 0},
        // A selection is taken out as a whole and the caret goes to its low end.
        {Dec, 12345, "LEFT S-LEFT S-LEFT BS", 125, 1},
        // Binary: the bit left of the caret, or every bit of the selection, which stays.
        {Bin, 5, "SPACE LEFT SPACE", 6, 1},
        {Bin, 0, "CTRL-A 1", 0xFFFF'FFFF, 0, 32},
        // A bit change drops the upper 32 bits.
        {Bin, 0x7'0000'0001, "LEFT 1", 3, 1},
        // The caret stops at the left end.
        {Bin, 0, "HOME LEFT", 0, 32},
        // A typed digit drops the anchor.
        {Dec, 12345, "S-LEFT S-LEFT 7", 123745, 2},
        // 64 bits: entry takes every address and drops the digits that push a value past the
        // largest one; a bit change keeps the bits above 32; the sign bit is never set.
        {Hex, 0, "123456789", 0x1'2345'6789, 0, NoAnchor, Bits64},
        {Dec, 922'337'203'685'477'580, "7", LargestAddress, 0, NoAnchor, Bits64},
        {Dec, 922'337'203'685'477'580, "8", 223'372'036'854'775'808, 0, NoAnchor, Bits64},
        {Dec, LargestAddress, "HOME 1", LargestAddress, 19, NoAnchor, Bits64},
        {Hex, 0x7FF'FFFF'FFFF'FFFF, "F", LargestAddress, 0, NoAnchor, Bits64},
        {Hex, LargestAddress, "F", 0xFFF'FFFF'FFFF'FFFF, 0, NoAnchor, Bits64},
        {Bin, 0x7'0000'0001, "LEFT 1", 0x7'0000'0003, 1, NoAnchor, Bits64},
        {Bin, 0, "CTRL-A 1", LargestAddress, 0, 64, Bits64},
        {Bin, 0, "HOME LEFT", 0, 64, NoAnchor, Bits64},
    };
    for (const Case& c : cases) {
        TIntEditModel field = Field(c.radix, c.start, None, c.pattern);
        Play(field, c.script);
        EXPECT_EQ(std::tuple(field.Value(), field.Caret(), field.Anchor()),
                  std::tuple(c.value, c.caret, c.anchor))
            << c.script << " from " << c.start;
    }
}

void SwitchPattern(TIntEditModel& field) {
    field.SetPattern(field.Pattern() == Bits32 ? Bits64 : Bits32);
}

// Whatever the order of keys, digits, clicks, new values and patterns, caret and anchor stay on
// places the text has, so nothing reads past the text when it is drawn, and what is typed
// never turns a value negative: it stays an address.
TEST(IntEditModel, CaretAndAnchorStayWithinTheTextAfterEveryChange) {
    const std::vector<std::function<void(TIntEditModel&)>> steps = {
        [](TIntEditModel& f) { Play(f, "HOME"); },   [](TIntEditModel& f) { Play(f, "S-HOME"); },
        [](TIntEditModel& f) { Play(f, "RIGHT"); },  [](TIntEditModel& f) { Play(f, "S-LEFT"); },
        [](TIntEditModel& f) { Play(f, "CTRL-A"); }, [](TIntEditModel& f) { Play(f, "BS"); },
        [](TIntEditModel& f) { Play(f, "DEL"); },    [](TIntEditModel& f) { Play(f, "0"); },
        [](TIntEditModel& f) { Play(f, "F"); },      [](TIntEditModel& f) { f.PressAt(100, true); },
        [](TIntEditModel& f) { f.DragTo(100); },     [](TIntEditModel& f) { f.SetValue(3); },
        [](TIntEditModel& f) { Play(f, "9"); },      SwitchPattern,
    };
    for (const TCardinalNumber radix : {Bin, Dec, Hex}) {
        for (const TValueType start :
             {TValueType{0}, TValueType{-1}, TValueType{0x10'0000'0000'0005}, LargestAddress}) {
            for (std::size_t a = 0; a < steps.size(); ++a) {
                for (std::size_t b = 0; b < steps.size(); ++b) {
                    for (std::size_t c = 0; c < steps.size(); ++c) {
                        TIntEditModel field = Field(radix, start);
                        for (const std::size_t step : {a, b, c}) {
                            steps[step](field);
                            const TPlace leftmost = field.LeftmostPlace();
                            ASSERT_LE(field.Caret(), leftmost);
                            ASSERT_TRUE(!field.HasSelection() || field.Anchor() <= leftmost);
                            ASSERT_LT(field.CaretCharIndex(), field.Text().size())
                                << int(radix) << ' ' << start << ": " << a << b << c;
                            ASSERT_TRUE(start < 0 || field.Value() >= 0)
                                << int(radix) << ' ' << start << ": " << a << b << c;
                        }
                    }
                }
            }
        }
    }
    // A value of 0 puts the caret on the right end.
    TIntEditModel zero = Field(Dec, 12345);
    Play(zero, "HOME");
    zero.SetValue(0);
    EXPECT_EQ(zero.Caret(), 0u);
}

// A Shift+click selects from the caret even when a selection exists; Shift+arrows extend it.
TEST(IntEditModel, ShiftClickAnchorsAtTheOldCaret) {
    TIntEditModel field = Field(Dec, 12345);
    Play(field, "S-LEFT S-LEFT");
    field.PressAt(4, true);
    EXPECT_EQ(std::pair(field.Anchor(), field.Caret()), std::pair(TPlace{2}, TPlace{4}));
    Play(field, "S-RIGHT");
    EXPECT_EQ(std::pair(field.Anchor(), field.Caret()), std::pair(TPlace{2}, TPlace{3}));
}

TEST(IntEditModel, BinaryCharacterGeometry) {
    // A click goes to the bit; a separator counts as the bit before it.
    TIntEditModel bin = Field(Bin, 0);
    const std::vector<std::pair<std::size_t, TPlace>> places = {{0, 31}, {4, 28}, {5, 27}, {39, 0}};
    for (const auto& [index, place] : places)
        EXPECT_EQ(bin.PlaceAtChar(index), place) << index;
    // The caret stands right of its bit, left of a separator: 32 is the left end.
    for (const auto& [place, index] : {std::pair<TPlace, std::size_t>{32, 0}, {28, 4}, {0, 39}}) {
        bin.PressAt(place, false);
        EXPECT_EQ(bin.CaretCharIndex(), index) << place;
    }
    // 64 bits: bit 63 first, bit 32 ends the fourth group.
    TIntEditModel wide = Field(Bin, 0, None, Bits64);
    EXPECT_EQ(std::pair(wide.PlaceAtChar(0), wide.PlaceAtChar(40)),
              std::pair(TPlace{63}, TPlace{31}));
    wide.PressAt(32, false);
    EXPECT_EQ(wide.CaretCharIndex(), 39u);
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

// Overflow marks where the value does not fit its width; a selection covers digits and bits,
// never the separators.
TEST(IntEditModel, OverflowAndSelectionStyles) {
    const std::tuple<TCardinalNumber, TVariableType, TValueType, std::string, std::string> cases[] =
        {
            {Hex, Byte, 0x1FF, "", "o..."},
            {Dec, Byte, 255, "", "...."},
            {Dec, Byte, 256, "", "ooo."},
            {Dec, Word, -1, "", std::string(21, '.')}, // a negative value fits any width
            {Bin, Word, 0x10000, "", "oooo.oooo.oooo.oooo....................."},
            {Hex, Byte, 0x1FF, "HOME S-RIGHT S-RIGHT", "ss.."},
            {Bin, Byte, 0, "LEFT LEFT LEFT S-LEFT S-LEFT S-LEFT",
             "oooo.oooo.oooo.oooo.oooo.oooo...ss.s...."},
        };
    for (const auto& [radix, type, value, script, styles] : cases) {
        TIntEditModel field = Field(radix, value, type);
        Play(field, script);
        EXPECT_EQ(Styles(field), styles) << value << ' ' << script;
    }
}

} // namespace
} // namespace mv
