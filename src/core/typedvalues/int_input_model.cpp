#include "core/typedvalues/int_input_model.h"

#include "core/typedvalues/byte_swap.h"

#include <array>

namespace mv {

namespace {

// The type list's order.
constexpr std::array<TVariableType, 4> ItemTypes = {TVariableType::vtUnformat,
                                                    TVariableType::vtDoubleWord,
                                                    TVariableType::vtWord, TVariableType::vtByte};

std::size_t ByteCountOf(TVariableType type) {
    switch (type) {
    case TVariableType::vtByte:
        return 1;
    case TVariableType::vtWord:
        return 2;
    case TVariableType::vtUnformat:
    case TVariableType::vtDoubleWord:
        break;
    }
    return 4;
}

std::uint64_t Cut(std::uint64_t value, TVariableType type) {
    return value & (~std::uint64_t{0} >> (64 - 8 * ByteCountOf(type)));
}

// Reverses the bytes of a word or double word when big-endian is chosen.
std::uint64_t Ordered(std::uint64_t cut, TVariableType type, TByteOrder order) {
    if (order != TByteOrder::BigEndian) return cut;
    if (type == TVariableType::vtDoubleWord) return Swap32(static_cast<std::uint32_t>(cut));
    if (type == TVariableType::vtWord) return Swap16(static_cast<std::uint16_t>(cut));
    return cut;
}

} // namespace

int TIntInputModel::VariableItem(TVariableType type) {
    for (std::size_t item = 0; item < ItemTypes.size(); ++item)
        if (ItemTypes[item] == type) return static_cast<int>(item);
    return 0;
}

TVariableType TIntInputModel::VariableOfItem(int item) {
    return item >= 0 && item < static_cast<int>(ItemTypes.size())
               ? ItemTypes[static_cast<std::size_t>(item)]
               : TVariableType::vtUnformat;
}

std::uint32_t TIntInputModel::MaxValue(TVariableType type) {
    if (type == TVariableType::vtUnformat) return 0;
    return static_cast<std::uint32_t>(Cut(~std::uint64_t{0}, type));
}

void TIntInputModel::SetDialogMode(TDialogMode mode) {
    mode_ = mode;
    if (mode == TDialogMode::dmUnformat) {
        type_ = TVariableType::vtUnformat;
        return;
    }
    pattern_ = TIntPattern::Bits32;
    if (type_ == TVariableType::vtUnformat) type_ = TVariableType::vtDoubleWord;
}

void TIntInputModel::SetPattern(TIntPattern pattern) {
    if (mode_ == TDialogMode::dmUnformat) pattern_ = pattern;
}

void TIntInputModel::ChooseVariableType(TVariableType type) {
    if (mode_ == TDialogMode::dmUnformat)
        type_ = TVariableType::vtUnformat;
    else
        type_ = type == TVariableType::vtUnformat ? TVariableType::vtDoubleWord : type;
}

void TIntInputModel::Widen() {
    switch (type_) {
    case TVariableType::vtByte:
        type_ = TVariableType::vtWord;
        break;
    case TVariableType::vtWord:
        type_ = TVariableType::vtDoubleWord;
        break;
    case TVariableType::vtDoubleWord:
        type_ = TVariableType::vtByte;
        break;
    case TVariableType::vtUnformat:
        break;
    }
}

void TIntInputModel::Narrow() {
    switch (type_) {
    case TVariableType::vtDoubleWord:
        type_ = TVariableType::vtWord;
        break;
    case TVariableType::vtWord:
        type_ = TVariableType::vtByte;
        break;
    case TVariableType::vtByte:
        type_ = TVariableType::vtDoubleWord;
        break;
    case TVariableType::vtUnformat:
        break;
    }
}

void TIntInputModel::ToggleAddress(TAddressMode relative) {
    address_ = address_ == relative ? TAddressMode::Absolute : relative;
}

TValueType TIntInputModel::NetValue() const {
    if (type_ == TVariableType::vtUnformat)
        return static_cast<TValueType>(PatternValue(value_, pattern_));
    return static_cast<TValueType>(Cut(static_cast<std::uint64_t>(value_), type_));
}

void TIntInputModel::Capture() {
    const auto captured = static_cast<std::uint64_t>(captured_);
    value_ = static_cast<TValueType>(type_ == TVariableType::vtUnformat
                                         ? captured
                                         : Ordered(Cut(captured, type_), type_, order_));
}

TValueType TIntInputModel::GetInteger() const {
    return static_cast<TValueType>(Ordered(static_cast<std::uint64_t>(NetValue()), type_, order_));
}

InputDataBlock TIntInputModel::IntegerData() const {
    const auto value = static_cast<std::uint64_t>(GetInteger());
    InputDataBlock block;
    for (std::size_t i = 0; i < ByteCountOf(type_); ++i)
        block.Bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return block;
}

} // namespace mv
