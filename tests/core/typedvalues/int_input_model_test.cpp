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

TEST(IntInputModel, ModeDecidesWhichWidthsStay) {
    TIntInputModel model;
    model.SetVariableType(Word);
    model.SetDialogMode(TDialogMode::dmInteger);
    EXPECT_EQ(model.VariableType(), Word);
    model.SetDialogMode(TDialogMode::dmUnformat);
    model.ChooseVariableType(DWord);
    EXPECT_EQ(model.VariableType(), None);
    model.SetDialogMode(TDialogMode::dmInteger);
    model.ChooseVariableType(None);
    EXPECT_EQ(model.VariableType(), DWord);
    model.ChooseVariableType(Byte);
    EXPECT_EQ(model.VariableType(), Byte);
}

TEST(IntInputModel, PageKeysCycleTheWidth) {
    for (const auto& [from, to] :
         {std::pair{Byte, Word}, {Word, DWord}, {DWord, Byte}, {None, None}}) {
        TIntInputModel model;
        model.SetVariableType(from);
        model.Widen();
        EXPECT_EQ(model.VariableType(), to);
        model.Narrow();
        EXPECT_EQ(model.VariableType(), from);
    }
}

TEST(IntInputModel, NetValueAndBytes) {
    const std::tuple<TVariableType, TByteOrder, TValueType, TValueType, std::vector<std::uint8_t>>
        cases[] = {
            {Word, Little, 0xAB'1234, 0x1234, {0x34, 0x12}},
            {DWord, Big, 0x1'2345'6789, 0x2345'6789, {0x23, 0x45, 0x67, 0x89}},
            {Byte, Big, 0x1FF, 0xFF, {0xFF}},
            // No width: always four bytes, never reordered.
            {None, Big, 0x1'2345'6789, 0x2345'6789, {0x89, 0x67, 0x45, 0x23}},
            {None, Little, 7, 7, {7, 0, 0, 0}},
        };
    for (const auto& [type, order, value, net, bytes] : cases) {
        const TIntInputModel model = Integer(type, order, value);
        EXPECT_EQ(model.NetValue(), net) << value;
        EXPECT_EQ(model.IntegerData().Bytes, bytes) << value;
    }
}

TEST(IntInputModel, CaptureReadsByWidthAndOrder) {
    const std::tuple<TVariableType, TByteOrder, TValueType, TValueType> cases[] = {
        {None, Big, 0x1'2345'6789, 0x1'2345'6789}, {DWord, Little, 0x1'2345'6789, 0x2345'6789},
        {DWord, Big, 0x12345678, 0x78563412},      {Word, Little, 0x12345678, 0x5678},
        {Word, Big, 0x12345678, 0x7856},           {Byte, Big, 0x12345678, 0x78},
    };
    for (const auto& [type, order, captured, value] : cases) {
        TIntInputModel model = Integer(type, order, 0);
        model.SetCapturedValue(captured);
        model.Capture();
        EXPECT_EQ(model.Value(), value) << captured;
    }
}

TEST(IntInputModel, SignsToggleTheAddressMode) {
    TIntInputModel model;
    model.ToggleAddress(TAddressMode::RelativeDown);
    model.ToggleAddress(TAddressMode::RelativeUp);
    EXPECT_EQ(model.Address(), TAddressMode::RelativeUp);
    model.ToggleAddress(TAddressMode::RelativeUp);
    EXPECT_EQ(model.Address(), TAddressMode::Absolute);
}

} // namespace
} // namespace mv
