#include "core/typedvalues/int_edit_model.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace mv {

namespace {

constexpr std::size_t BinaryTextLength = 40;
constexpr TPlace BinaryLeftmost = 32;
constexpr std::uint64_t Low32 = 0xFFFFFFFFu;
// Digit entry keeps at most this many digits: below 10^17 and below 2^56 = 16^14.
constexpr std::size_t DecimalDigitLimit = 17;
constexpr std::size_t HexDigitLimit = 14;

// radix^exponent, or nothing when it does not fit in 64 bits.
std::optional<std::uint64_t> Power(std::uint64_t radix, std::size_t exponent) {
    std::uint64_t power = 1;
    for (std::size_t i = 0; i < exponent; ++i) {
        if (power > std::numeric_limits<std::uint64_t>::max() / radix) return std::nullopt;
        power *= radix;
    }
    return power;
}

std::optional<std::uint64_t> DigitOf(char c, TCardinalNumber radix) {
    if (c >= '0' && c <= '9') return static_cast<std::uint64_t>(c - '0');
    if (radix != TCardinalNumber::cnHexadecimal) return std::nullopt;
    if (c >= 'A' && c <= 'F') return static_cast<std::uint64_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint64_t>(c - 'a' + 10);
    return std::nullopt;
}

// The binary text is four groups "bbbb,bbbb" joined by '-', then 'b': ten characters a
// group. Answers the bit a character shows, or nothing for separators and the suffix.
std::optional<TPlace> BitOfChar(std::size_t index) {
    if (index >= BinaryTextLength - 1) return std::nullopt;
    const std::size_t group = index / 10;
    const std::size_t inGroup = index % 10;
    if (inGroup == 4 || inGroup == 9) return std::nullopt;
    const std::size_t fromLeft = group * 8 + (inGroup < 4 ? inGroup : inGroup - 1);
    return 31 - fromLeft;
}

std::size_t CharOfBit(TPlace bit) {
    const std::size_t fromLeft = 31 - bit;
    const std::size_t inGroup = fromLeft % 8;
    return fromLeft / 8 * 10 + inGroup + (inGroup >= 4 ? 1 : 0);
}

} // namespace

void TIntEditModel::SetValue(TValueType value) {
    value_ = value;
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
        text.reserve(BinaryTextLength);
        for (std::size_t index = 0; index < BinaryTextLength - 1; ++index) {
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
    return radix_ == TCardinalNumber::cnBinary ? BinaryLeftmost : DigitCount();
}

bool TIntEditModel::Type(char c) {
    if (radix_ == TCardinalNumber::cnBinary) {
        if (c != ' ' && c != '0' && c != '1') return false;
        if (HasSelection() || caret_ < BinaryLeftmost)
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
            if (HasSelection() || caret_ < BinaryLeftmost)
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
        if (index >= BinaryTextLength - 1) return 0;
        if (const auto bit = BitOfChar(index)) return *bit;
        // A separator: the caret goes to its left edge, right of the bit before it.
        return *BitOfChar(index - 1);
    }
    const std::size_t digits = DigitCount();
    return index < digits ? digits - index : 0;
}

std::size_t TIntEditModel::CaretCharIndex() const {
    if (radix_ == TCardinalNumber::cnBinary)
        return caret_ >= BinaryLeftmost ? 0 : CharOfBit(caret_) + 1;
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

std::size_t TIntEditModel::DigitCount() const {
    if (radix_ == TCardinalNumber::cnBinary) return BinaryLeftmost;
    std::size_t count = 1;
    for (std::uint64_t rest = Unsigned() / Radix(); rest != 0; rest /= Radix())
        ++count;
    return count;
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
    const std::size_t limit =
        radix_ == TCardinalNumber::cnDecimal ? DecimalDigitLimit : HexDigitLimit;
    const std::uint64_t value = Unsigned();
    // (value div p) * p * r + (value mod p) + d * p, kept to `limit` digits. Working modulo
    // radix^limit from the start keeps every term within 64 bits for any stored value.
    std::uint64_t result = 0;
    if (caret_ >= limit) {
        result = value % *Power(radix, limit);
    } else {
        const std::uint64_t place = *Power(radix, caret_);
        const std::uint64_t kept = value / place % *Power(radix, limit - caret_ - 1);
        result = kept * place * radix + value % place + digit * place;
    }
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
    const std::uint64_t mask = ((std::uint64_t{1} << high) - 1) & ~((std::uint64_t{1} << low) - 1);
    value_ = static_cast<TValueType>(op(Unsigned(), mask) & Low32);
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
