#include "core/typedvalues/int_input_model.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace mv {
namespace {

constexpr auto None = TVariableType::vtUnformat;
constexpr auto Byte = TVariableType::vtByte;
constexpr auto Word = TVariableType::vtWord;
constexpr auto DWord = TVariableType::vtDoubleWord;
constexpr auto Little = TByteOrder::LittleEndian;
constexpr auto Big = TByteOrder::BigEndian;

// An integer-mode model with any width, "no width" included.
TIntInputModel Integer(TVariableType type, TByteOrder order, TValueType value) {
    TIntInputModel model;
    model.SetDialogMode(TDialogMode::dmInteger);
    model.SetByteOrder(order);
    model.SetValue(value);
    model.SetVariableType(type);
    return model;
}

// An address keeps no width whatever is chosen; PageUp wraps from a double word to a byte;
// the same sign twice goes back to an absolute address.
TEST(IntInputModel, WidthChoicesAndAddressSigns) {
    TIntInputModel model;
    model.Widen();
    EXPECT_EQ(model.VariableType(), Byte);
    model.Narrow();
    EXPECT_EQ(model.VariableType(), DWord);
    model.SetDialogMode(TDialogMode::dmUnformat);
    model.ChooseVariableType(DWord);
    EXPECT_EQ(model.VariableType(), None);
    model.ToggleAddress(TAddressMode::RelativeUp);
    model.ToggleAddress(TAddressMode::RelativeUp);
    EXPECT_EQ(model.Address(), TAddressMode::Absolute);
}

TEST(IntInputModel, NetValueAndBytes) {
    const std::tuple<TVariableType, TByteOrder, TValueType, TValueType, std::vector<std::uint8_t>>
        cases[] = {
            {Word, Little, 0xAB'1234, 0x1234, {0x34, 0x12}},
            {DWord, Big, 0x1'2345'6789, 0x2345'6789, {0x23, 0x45, 0x67, 0x89}},
            {Byte, Big, 0x1FF, 0xFF, {0xFF}},
            // No width: always four bytes, never reordered.
            {None, Big, 0x1'2345'6789, 0x2345'6789, {0x89, 0x67, 0x45, 0x23}},
        };
    for (const auto& [type, order, value, net, bytes] : cases) {
        const TIntInputModel model = Integer(type, order, value);
        EXPECT_EQ(model.NetValue(), net) << value;
        EXPECT_EQ(model.IntegerData().Bytes, bytes) << value;
    }
}

// An address in data of 4 GiB and more is all 64 bits of the value; an integer never is.
TEST(IntInputModel, OnlyAnAddressTakesTheSixtyFourBitPattern) {
    TIntInputModel model;
    model.SetDialogMode(TDialogMode::dmUnformat);
    model.SetValue(0x1'2345'6789);
    EXPECT_EQ(model.GetInteger(), 0x2345'6789);
    model.SetPattern(TIntPattern::Bits64);
    EXPECT_EQ(model.GetInteger(), 0x1'2345'6789);
    model.SetDialogMode(TDialogMode::dmInteger);
    EXPECT_EQ(model.Pattern(), TIntPattern::Bits32);
    model.SetPattern(TIntPattern::Bits64);
    model.SetVariableType(None);
    EXPECT_EQ(model.NetValue(), 0x2345'6789);
    EXPECT_EQ(model.IntegerData().Bytes.size(), 4u);
}

TEST(IntInputModel, CaptureReadsByWidthAndOrder) {
    const std::tuple<TVariableType, TByteOrder, TValueType, TValueType> cases[] = {
        {None, Big, 0x1'2345'6789, 0x1'2345'6789},
        {DWord, Big, 0x12345678, 0x78563412},
        {Word, Little, 0x12345678, 0x5678},
        {Byte, Big, 0x12345678, 0x78},
    };
    for (const auto& [type, order, captured, value] : cases) {
        TIntInputModel model = Integer(type, order, 0);
        model.SetCapturedValue(captured);
        model.Capture();
        EXPECT_EQ(model.Value(), value) << captured;
    }
}

} // namespace
} // namespace mv
