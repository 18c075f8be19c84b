#pragma once

#include "core/config/environment.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace mv {

// The value of an integer field. The text shows its 64-bit pattern as an unsigned number
// (binary: the bits of the field's pattern).
using TValueType = std::int64_t;

// The bits a field is about: the 32 of the typed values, or the 64 of an address in data of
// 4 GiB and more. A 64-bit field shows all 64 bits in binary, but what is typed stays an
// address, 0 to 2^63 - 1.
enum class TIntPattern : std::uint8_t { Bits32, Bits64 };

// The value as its pattern reads it: the low 32 bits, or all 64.
[[nodiscard]] std::uint64_t PatternValue(TValueType value, TIntPattern pattern);

// A caret or anchor position: the number of digit places right of it. In binary it is the
// bit just left of it, 0 to the pattern's bit count (32 = left of bit 31 in a 32-bit field,
// where no bit can be edited).
using TPlace = std::size_t;
inline constexpr TPlace NoAnchor = 65535;

enum class TIntEditKey : std::uint8_t { Left, Right, Home, End, Delete, Backspace, SelectAll };
// How one character of the text is drawn.
enum class TIntCharStyle : std::uint8_t { Normal, Overflow, Selected };

// The state of one integer field without pixels: value, radix, width, caret and selection,
// calculator-like digit entry and the text with the style of each character.
class TIntEditModel {
public:
    [[nodiscard]] TValueType Value() const { return value_; }
    // Caret and anchor keep within the new text.
    void SetValue(TValueType value);
    [[nodiscard]] TCardinalNumber CardinalNumber() const { return radix_; }
    // The caret goes to the right end and the selection is dropped.
    void SetCardinalNumber(TCardinalNumber radix);
    [[nodiscard]] TVariableType VariableType() const { return type_; }
    void SetVariableType(TVariableType type) { type_ = type; }
    [[nodiscard]] TIntPattern Pattern() const { return pattern_; }
    // The value stays; caret and anchor keep within the new text.
    void SetPattern(TIntPattern pattern);

    [[nodiscard]] TPlace Caret() const { return caret_; }
    [[nodiscard]] TPlace Anchor() const { return anchor_; }
    [[nodiscard]] bool HasSelection() const { return anchor_ != NoAnchor; }

    // "0001,0010-0011,0100-0101,0110-0111,1000b", "305419896d" or "12345678h"; a 64-bit
    // pattern has eight groups of bits.
    [[nodiscard]] std::string Text() const;
    // The place left of every digit: the bit count in binary, else the number of digits.
    [[nodiscard]] TPlace LeftmostPlace() const;

    // A typed character. Answers false when it is none of the radix's entry characters
    // (the control then passes it on).
    bool Type(char c);
    void Press(TIntEditKey key, bool shift);

    // The left mouse button pressed on, and dragged to, a place.
    void PressAt(TPlace place, bool shift);
    void DragTo(TPlace place);

    // The geometry of Text(), by the index of a character in it.
    // The caret place that a click on the character gives.
    [[nodiscard]] TPlace PlaceAtChar(std::size_t index) const;
    // The number of characters left of the caret.
    [[nodiscard]] std::size_t CaretCharIndex() const;
    [[nodiscard]] TIntCharStyle StyleOf(std::size_t index) const;

private:
    [[nodiscard]] std::uint64_t Unsigned() const { return static_cast<std::uint64_t>(value_); }
    [[nodiscard]] std::uint64_t Radix() const;
    [[nodiscard]] std::size_t BitCount() const;
    [[nodiscard]] std::size_t BinaryTextLength() const;
    // The bit a character of the binary text shows, or nothing for separators and the suffix.
    [[nodiscard]] std::optional<TPlace> BitOfChar(std::size_t index) const;
    [[nodiscard]] std::size_t CharOfBit(TPlace bit) const;
    [[nodiscard]] std::size_t DigitCount() const;
    // The largest value that digit entry keeps.
    [[nodiscard]] std::uint64_t EntryMax() const;
    // The selection's places [Low, High), or the one place left of the caret.
    [[nodiscard]] TPlace Low() const;
    [[nodiscard]] TPlace High() const;
    [[nodiscard]] bool IsSelectedPlace(TPlace place) const;
    [[nodiscard]] bool IsOverflowChar(std::size_t index) const;

    void InsertDigit(std::uint64_t digit);
    void RemovePlaces(TPlace low, TPlace high);
    // Applies op to the bits [low, high) and drops the bits the pattern does not take.
    template <class Op> void ChangeBits(TPlace low, TPlace high, Op op);
    void MoveCaret(TPlace place, bool shift);
    // Caret and anchor within the text; an empty selection is none. Every public change
    // ends here, since a shorter value leaves places that no character stands for.
    void Normalize();

    TValueType value_ = 0;
    TCardinalNumber radix_ = TCardinalNumber::cnBinary;
    TVariableType type_ = TVariableType::vtUnformat;
    TIntPattern pattern_ = TIntPattern::Bits32;
    TPlace caret_ = 0;
    TPlace anchor_ = NoAnchor;
};

} // namespace mv
