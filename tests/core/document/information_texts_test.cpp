#include "core/document/information_texts.h"

#include "core/binaryview/editor_fixture.h"

#include <gtest/gtest.h>

namespace mv::test {
namespace {

TInfoRowText Row(const TInformationTexts& texts, TInfoRow row) {
    return texts[static_cast<std::size_t>(row)];
}

TInformationTexts TextsAt(const Bytes& data, Address caret, TByteOrder order) {
    TEditorFixture editor(data);
    editor.core.SetCaret({caret, 0});
    return InformationTexts(editor.core, order);
}

TEST(InformationTexts, CaretAtTheEndShowsDashesAndNoValues) {
    const TInformationTexts texts = TextsAt(Hex("12 34"), 2, TByteOrder::LittleEndian);
    EXPECT_EQ(Row(texts, TInfoRow::Address), (TInfoRowText{"00000002h", "2"}));
    EXPECT_EQ(Row(texts, TInfoRow::Bit), (TInfoRowText{"----,----", ""}));
    EXPECT_EQ(Row(texts, TInfoRow::Word), (TInfoRowText{"----h", ""}));
    // Three bytes before the end make a word but no double word.
    const TInformationTexts nearEnd = TextsAt(Hex("00 12 34"), 1, TByteOrder::LittleEndian);
    EXPECT_EQ(Row(nearEnd, TInfoRow::Word), (TInfoRowText{"3412h", "13330"}));
    EXPECT_EQ(Row(nearEnd, TInfoRow::DoubleWord), (TInfoRowText{"--------h", ""}));
}

TEST(InformationTexts, HighBitsReadUnsignedInEitherByteOrder) {
    const Bytes data = Hex("9c 02 03 fe");
    const TInformationTexts little = TextsAt(data, 0, TByteOrder::LittleEndian);
    EXPECT_EQ(Row(little, TInfoRow::Bit), (TInfoRowText{"1001,1100", ""}));
    EXPECT_EQ(Row(little, TInfoRow::Byte), (TInfoRowText{"9ch", "156"}));
    EXPECT_EQ(Row(little, TInfoRow::DoubleWord), (TInfoRowText{"fe03029ch", "4261610140"}));
    const TInformationTexts big = TextsAt(data, 0, TByteOrder::BigEndian);
    EXPECT_EQ(Row(big, TInfoRow::Word), (TInfoRowText{"9c02h", "39938"}));
    EXPECT_EQ(Row(big, TInfoRow::DoubleWord), (TInfoRowText{"9c0203feh", "2617377790"}));
}

TEST(InformationTexts, RangeSizeIsTheSelectionsLength) {
    const TCaretPeek peek;
    const TSelection selected{TSelectionState::Fixed, 0x10, 0x130};
    EXPECT_EQ(Row(InformationTexts(0x130, selected, peek, TByteOrder::LittleEndian), TInfoRow::RangeSize),
              (TInfoRowText{"00000120h", "288"}));
    EXPECT_EQ(Row(InformationTexts(0x130, {}, peek, TByteOrder::LittleEndian), TInfoRow::RangeSize),
              (TInfoRowText{"00000000h", "0"}));
}

TEST(InformationTexts, CopyTextIsTheRowAsShown) {
    EXPECT_EQ(CopyText(TInfoRow::Address, AddressRowText(0x100)), "00000100h (256)");
    EXPECT_EQ(CopyText(TInfoRow::Bit, {"0101,1100", ""}), "0101,1100");
    EXPECT_EQ(CopyText(TInfoRow::Word, {"----h", ""}), "----h ()");
    EXPECT_EQ(AddressRowText(0x7fffffff), (TInfoRowText{"7fffffffh", "2147483647"}));
}

} // namespace
} // namespace mv::test
