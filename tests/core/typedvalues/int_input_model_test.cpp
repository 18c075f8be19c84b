#include "core/typedvalues/int_input_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace mv {
namespace {

constexpr auto None = TVariableType::vtUnformat;
constexpr auto Byte = TVariableType::vtByte;
constexpr auto Word = TVariableType::vtWord;
constexpr auto DWord = TVariableType::vtDoubleWord;
constexpr auto Little = TByteOrder::LittleEndian;
constexpr auto Big = TByteOrder::BigEndian;

TIntInputModel Integer(TVariableType type, TByteOrder order, TValueType value) {
    TIntInputModel model;
    model.SetDialogMode(TDialogMode::dmInteger);
    model.SetVariableType(type);
    model.SetByteOrder(order);
    model.SetValue(value);
    return model;
}

TEST(IntInputModel, ModeDecidesWhichWidthsStay) {
    TIntInputModel model;
    model.SetVariableType(Word);
    model.SetDialogMode(TDialogMode::dmInteger);
    EXPECT_EQ(model.VariableType(), Word);

    struct Case {
        TDialogMode mode;
        TVariableType chosen;
        TVariableType kept;
    };
    const std::vector<Case> cases = {
        {TDialogMode::dmUnformat, Byte, None}, {TDialogMode::dmUnformat, DWord, None},
        {TDialogMode::dmUnformat, None, None}, {TDialogMode::dmInteger, None, DWord},
        {TDialogMode::dmInteger, Byte, Byte},  {TDialogMode::dmInteger, Word, Word},
    };
    for (const Case& c : cases) {
        model.SetDialogMode(c.mode);
        model.ChooseVariableType(c.chosen);
        EXPECT_EQ(model.VariableType(), c.kept) << static_cast<int>(c.chosen);
    }
}

TEST(IntInputModel, PageKeysCycleTheWidth) {
    const std::vector<std::pair<TVariableType, TVariableType>> widen = {
        {Byte, Word}, {Word, DWord}, {DWord, Byte}, {None, None}};
    for (const auto& [from, to] : widen) {
        TIntInputModel model;
        model.SetVariableType(from);
        model.Widen();
        EXPECT_EQ(model.VariableType(), to);
        model.Narrow();
        EXPECT_EQ(model.VariableType(), from);
    }
}

TEST(IntInputModel, NetValueAndBytes) {
    struct Case {
        TVariableType type;
        TByteOrder order;
        TValueType value;
        TValueType net;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {Word, Big, 0x1234, 0x1234, {0x12, 0x34}},
        {Word, Little, 0x1234, 0x1234, {0x34, 0x12}},
        {Word, Big, 0xAB'1234, 0x1234, {0x12, 0x34}},
        {DWord, Big, 0x12345678, 0x12345678, {0x12, 0x34, 0x56, 0x78}},
        {DWord, Little, 0x1'2345'6789, 0x2345'6789, {0x89, 0x67, 0x45, 0x23}},
        {Byte, Big, 0x1FF, 0xFF, {0xFF}},
        // No width: always four bytes, never reordered.
        {None, Big, 0x1'2345'6789, 0x2345'6789, {0x89, 0x67, 0x45, 0x23}},
        {None, Little, 7, 7, {7, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        TIntInputModel model = Integer(c.type, c.order, c.value);
        model.SetVariableType(c.type); // the integer mode would not keep "no width"
        EXPECT_EQ(model.NetValue(), c.net) << c.value;
        EXPECT_EQ(model.IntegerData().Bytes, c.bytes) << c.value;
        EXPECT_EQ(model.IntegerData().Count(), static_cast<std::int32_t>(c.bytes.size()));
    }
}

TEST(IntInputModel, CaptureReadsByWidthAndOrder) {
    struct Case {
        TVariableType type;
        TByteOrder order;
        TValueType captured;
        TValueType value;
    };
    const std::vector<Case> cases = {
        {None, Big, 0x1'2345'6789, 0x1'2345'6789}, {DWord, Little, 0x1'2345'6789, 0x2345'6789},
        {DWord, Big, 0x12345678, 0x78563412},      {Word, Little, 0x12345678, 0x5678},
        {Word, Big, 0x12345678, 0x7856},           {Byte, Big, 0x12345678, 0x78},
    };
    for (const Case& c : cases) {
        TIntInputModel model = Integer(c.type, c.order, 0);
        model.SetVariableType(c.type);
        model.SetCapturedValue(c.captured);
        model.Capture();
        EXPECT_EQ(model.Value(), c.value) << c.captured;
    }
}

TEST(IntInputModel, SignsToggleTheAddressMode) {
    TIntInputModel model;
    model.ToggleAddress(TAddressMode::RelativeDown);
    EXPECT_EQ(model.Address(), TAddressMode::RelativeDown);
    model.ToggleAddress(TAddressMode::RelativeUp);
    EXPECT_EQ(model.Address(), TAddressMode::RelativeUp);
    model.ToggleAddress(TAddressMode::RelativeUp);
    EXPECT_EQ(model.Address(), TAddressMode::Absolute);
}

} // namespace
} // namespace mv
