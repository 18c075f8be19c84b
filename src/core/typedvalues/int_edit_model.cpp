#include "core/typedvalues/int_edit_model.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace mv {

namespace {

constexpr std::uint64_t Low32 = 0xFFFFFFFFu;
constexpr auto LargestAddress =
    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());

// radix^exponent, or nothing when it does not fit in 64 bits.
std::optional<std::uint64_t> Power(std::uint64_t radix, std::size_t exponent) {
    std::uint64_t power = 1;
    for (std::size_t i = 0; i < exponent; ++i) {
        if (power > std::numeric_limits<std::uint64_t>::max() / radix) return std::nullopt;
        power *= radix;
    }
    return power;
}

// The lowest `digits` digits of value: all of it when radix^digits passes 64 bits.
std::uint64_t LowDigits(std::uint64_t value, std::uint64_t radix, std::size_t digits) {
    const auto power = Power(radix, digits);
    return power ? value % *power : value;
}

std::size_t DigitsOf(std::uint64_t value, std::uint64_t radix) {
    std::size_t count = 1;
    for (value /= radix; value != 0; value /= radix)
        ++count;
    return count;
}

std::optional<std::uint64_t> DigitOf(char c, TCardinalNumber radix) {
    if (c >= '0' && c <= '9') return static_cast<std::uint64_t>(c - '0');
    if (radix != TCardinalNumber::cnHexadecimal) return std::nullopt;
    if (c >= 'A' && c <= 'F') return static_cast<std::uint64_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint64_t>(c - 'a' + 10);
    return std::nullopt;
}

// The bits [low, high) of a 64-bit word.
std::uint64_t BitMask(TPlace low, TPlace high) {
    const auto below = [](TPlace bit) {
        return bit >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bit) - 1;
    };
    return below(high) & ~below(low);
}

} // namespace

std::uint64_t PatternValue(TValueType value, TIntPattern pattern) {
    const auto bits = static_cast<std::uint64_t>(value);
    return pattern == TIntPattern::Bits64 ? bits : bits & Low32;
}

void TIntEditModel::SetValue(TValueType value) {
    value_ = value;
    Normalize();
}

void TIntEditModel::SetPattern(TIntPattern pattern) {
    pattern_ = pattern;
    Normalize();
}

void TIntEditModel::SetCardinalNumber(TCardinalNumber radix) {
    radix_ = radix;
    caret_ = 0;
    anchor_ = NoAnchor;
}

std::string TIntEditModel::Text() const {
    switch (radix_) {
    case TCardinalNumber::cnBinary: {
        std::string text;
        text.reserve(BinaryTextLength());
        for (std::size_t index = 0; index < BinaryTextLength() - 1; ++index) {
            const auto bit = BitOfChar(index);
            if (bit)
                text += ((Unsigned() >> *bit) & 1) != 0 ? '1' : '0';
            else
                text += index % 10 == 4 ? ',' : '-';
        }
        return text + 'b';
    }
    case TCardinalNumber::cnDecimal:
        return std::to_string(Unsigned()) + 'd';
    case TCardinalNumber::cnHexadecimal: {
        static constexpr char Digits[] = "0123456789ABCDEF";
        std::string text;
        std::uint64_t rest = Unsigned();
        do {
            text.insert(text.begin(), Digits[rest % 16]);
            rest /= 16;
        } while (rest != 0);
        return text + 'h';
    }
    }
    return {};
}

TPlace TIntEditModel::LeftmostPlace() const {
    return radix_ == TCardinalNumber::cnBinary ? BitCount() : DigitCount();
}

bool TIntEditModel::Type(char c) {
    if (radix_ == TCardinalNumber::cnBinary) {
        if (c != ' ' && c != '0' && c != '1') return false;
        if (HasSelection() || caret_ < BitCount())
            ChangeBits(Low(), High(), [c](std::uint64_t bits, std::uint64_t mask) {
                if (c == ' ') return bits ^ mask;
                return c == '1' ? bits | mask : bits & ~mask;
            });
    } else {
        const auto digit = DigitOf(c, radix_);
        if (!digit) return false;
        if (*digit != 0 || caret_ != LeftmostPlace()) InsertDigit(*digit);
    }
    Normalize();
    return true;
}

void TIntEditModel::Press(TIntEditKey key, bool shift) {
    switch (key) {
    case TIntEditKey::Left:
        MoveCaret(caret_ < LeftmostPlace() ? caret_ + 1 : caret_, shift);
        break;
    case TIntEditKey::Right:
        MoveCaret(caret_ > 0 ? caret_ - 1 : caret_, shift);
        break;
    case TIntEditKey::Home:
        MoveCaret(LeftmostPlace(), shift);
        break;
    case TIntEditKey::End:
        MoveCaret(0, shift);
        break;
    case TIntEditKey::Delete:
    case TIntEditKey::Backspace:
        if (key == TIntEditKey::Delete && !HasSelection()) {
            value_ = 0;
        } else if (radix_ == TCardinalNumber::cnBinary) {
            if (HasSelection() || caret_ < BitCount())
                ChangeBits(Low(), High(),
                           [](std::uint64_t bits, std::uint64_t mask) { return bits & ~mask; });
        } else {
            RemovePlaces(Low(), High());
        }
        break;
    case TIntEditKey::SelectAll:
        anchor_ = LeftmostPlace();
        caret_ = 0;
        break;
    }
    Normalize();
}

void TIntEditModel::PressAt(TPlace place, bool shift) {
    // Unlike a Shift+arrow key, a Shift+click starts the selection afresh at the caret.
    anchor_ = shift ? caret_ : NoAnchor;
    caret_ = place;
    Normalize();
}

void TIntEditModel::DragTo(TPlace place) {
    if (!HasSelection()) anchor_ = caret_;
    caret_ = place;
    Normalize();
}

TPlace TIntEditModel::PlaceAtChar(std::size_t index) const {
    if (radix_ == TCardinalNumber::cnBinary) {
        if (index >= BinaryTextLength() - 1) return 0;
        if (const auto bit = BitOfChar(index)) return *bit;
        // A separator: the caret goes to its left edge, right of the bit before it.
        return *BitOfChar(index - 1);
    }
    const std::size_t digits = DigitCount();
    return index < digits ? digits - index : 0;
}

std::size_t TIntEditModel::CaretCharIndex() const {
    if (radix_ == TCardinalNumber::cnBinary)
        return caret_ >= BitCount() ? 0 : CharOfBit(caret_) + 1;
    return DigitCount() - caret_;
}

TIntCharStyle TIntEditModel::StyleOf(std::size_t index) const {
    std::optional<TPlace> place;
    if (radix_ == TCardinalNumber::cnBinary) {
        place = BitOfChar(index);
    } else if (index < DigitCount()) {
        place = DigitCount() - 1 - index;
    }
    if (!place) return TIntCharStyle::Normal; // separators and the suffix letter
    if (IsSelectedPlace(*place)) return TIntCharStyle::Selected;
    return IsOverflowChar(index) ? TIntCharStyle::Overflow : TIntCharStyle::Normal;
}

std::uint64_t TIntEditModel::Radix() const {
    return radix_ == TCardinalNumber::cnDecimal ? 10 : radix_ == TCardinalNumber::cnBinary ? 2 : 16;
}

std::size_t TIntEditModel::BitCount() const {
    return pattern_ == TIntPattern::Bits64 ? 64 : 32;
}

// Groups of eight bits, each "bbbb,bbbb" and a '-', the last one's '-' standing for the 'b'.
std::size_t TIntEditModel::BinaryTextLength() const {
    return BitCount() / 8 * 10;
}

std::optional<TPlace> TIntEditModel::BitOfChar(std::size_t index) const {
    if (index >= BinaryTextLength() - 1) return std::nullopt;
    const std::size_t group = index / 10;
    const std::size_t inGroup = index % 10;
    if (inGroup == 4 || inGroup == 9) return std::nullopt;
    const std::size_t fromLeft = group * 8 + (inGroup < 4 ? inGroup : inGroup - 1);
    return BitCount() - 1 - fromLeft;
}

std::size_t TIntEditModel::CharOfBit(TPlace bit) const {
    const std::size_t fromLeft = BitCount() - 1 - bit;
    const std::size_t inGroup = fromLeft % 8;
    return fromLeft / 8 * 10 + inGroup + (inGroup >= 4 ? 1 : 0);
}

std::size_t TIntEditModel::DigitCount() const {
    return radix_ == TCardinalNumber::cnBinary ? BitCount() : DigitsOf(Unsigned(), Radix());
}

// The 32-bit pattern keeps 17 decimal or 14 hexadecimal digits (below 10^17 and 2^56); a
// 64-bit field keeps any address, up to 2^63 - 1.
std::uint64_t TIntEditModel::EntryMax() const {
    if (pattern_ == TIntPattern::Bits64) return LargestAddress;
    return radix_ == TCardinalNumber::cnDecimal ? 99'999'999'999'999'999 : 0xFF'FFFF'FFFF'FFFF;
}

TPlace TIntEditModel::Low() const {
    return HasSelection() ? std::min(anchor_, caret_) : caret_;
}

TPlace TIntEditModel::High() const {
    return HasSelection() ? std::max(anchor_, caret_) : caret_ + 1;
}

bool TIntEditModel::IsSelectedPlace(TPlace place) const {
    return HasSelection() && place >= Low() && place < High();
}

bool TIntEditModel::IsOverflowChar(std::size_t index) const {
    if (type_ == TVariableType::vtUnformat) return false;
    const std::size_t widthBits = type_ == TVariableType::vtByte   ? 8
                                  : type_ == TVariableType::vtWord ? 16
                                                                   : 32;
    switch (radix_) {
    case TCardinalNumber::cnBinary:
        return *BitOfChar(index) >= widthBits;
    case TCardinalNumber::cnHexadecimal:
        return DigitCount() - 1 - index >= widthBits / 4;
    case TCardinalNumber::cnDecimal:
        // Every digit, as soon as the value does not fit. A negative value is never marked:
        // it is a signed number that a width can hold, whatever the text shows of it.
        return value_ >= 0 && (Unsigned() >> widthBits) != 0;
    }
    return false;
}

void TIntEditModel::InsertDigit(std::uint64_t digit) {
    const std::uint64_t radix = Radix();
    const std::uint64_t max = EntryMax();
    const std::size_t limit = DigitsOf(max, radix);
    const std::uint64_t value = Unsigned();
    // (value div p) * p * r + (value mod p) + d * p, kept to `limit` digits. Working modulo
    // radix^limit from the start keeps every term within 64 bits for any stored value.
    std::uint64_t result = 0;
    if (caret_ >= limit) {
        result = LowDigits(value, radix, limit);
    } else {
        const std::uint64_t place = *Power(radix, caret_);
        const std::uint64_t kept = LowDigits(value / place, radix, limit - caret_ - 1);
        result = kept * place * radix + value % place + digit * place;
    }
    // Digits pushed out at the left are dropped until the value is within the maximum.
    for (std::size_t digits = limit; result > max; --digits)
        result = LowDigits(result, radix, digits - 1);
    value_ = static_cast<TValueType>(result);
    anchor_ = NoAnchor; // the digits under a selection have moved
}

void TIntEditModel::RemovePlaces(TPlace low, TPlace high) {
    const std::uint64_t value = Unsigned();
    const auto highPower = Power(Radix(), high);
    const std::uint64_t above = highPower ? value / *highPower : 0;
    const auto lowPower = Power(Radix(), low);
    const std::uint64_t below = lowPower ? value % *lowPower : value;
    value_ = static_cast<TValueType>(above * lowPower.value_or(0) + below);
    caret_ = low;
    anchor_ = NoAnchor;
}

template <class Op> void TIntEditModel::ChangeBits(TPlace low, TPlace high, Op op) {
    // An address cannot reach the top bit: that would make it negative.
    const std::uint64_t kept = pattern_ == TIntPattern::Bits64 ? LargestAddress : Low32;
    value_ = static_cast<TValueType>(op(Unsigned(), BitMask(low, high)) & kept);
}

void TIntEditModel::MoveCaret(TPlace place, bool shift) {
    if (!shift)
        anchor_ = NoAnchor;
    else if (!HasSelection())
        anchor_ = caret_;
    caret_ = place;
}

void TIntEditModel::Normalize() {
    const TPlace leftmost = LeftmostPlace();
    caret_ = value_ == 0 && radix_ != TCardinalNumber::cnBinary ? 0 : std::min(caret_, leftmost);
    if (HasSelection()) anchor_ = std::min(anchor_, leftmost);
    if (anchor_ == caret_) anchor_ = NoAnchor;
}

} // namespace mv
