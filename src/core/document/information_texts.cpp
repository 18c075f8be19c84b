#include "core/document/information_texts.h"

#include "core/binaryview/editor_core.h"

#include <cstdio>
#include <cstdint>

namespace mv {
namespace {

template <typename... Args>
std::string Printed(const char* format, Args... args) {
    char text[32];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string BitPattern(Byte value) {
    std::string bits;
    for (int bit = 7; bit >= 0; --bit) {
        bits += (value >> bit & 1) ? '1' : '0';
        if (bit == 4) bits += ',';
    }
    return bits;
}

// The bytes from the caret in the order they are read: b0 first for big endian, last for
// little endian.
std::uint32_t ReadValue(const TCaretPeek& peek, int count, TByteOrder order) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        const int index = order == TByteOrder::BigEndian ? i : count - 1 - i;
        value = value << 8 | peek.Bytes[static_cast<std::size_t>(index)];
    }
    return value;
}

std::string HexDigits(std::uint32_t value, int count) {
    return Printed("%0*xh", count * 2, value);
}

} // namespace

TInfoRowText AddressRowText(Address value, int digits) {
    return {Printed("%0*llxh", digits, static_cast<unsigned long long>(value)),
            std::to_string(value)};
}

TInformationTexts InformationTexts(Address caret, const TSelection& selection,
                                   const TCaretPeek& peek, TByteOrder order, int digits) {
    TInformationTexts texts;
    auto row = [&texts](TInfoRow r) -> TInfoRowText& { return texts[static_cast<std::size_t>(r)]; };
    row(TInfoRow::Address) = AddressRowText(caret, digits);
    row(TInfoRow::RangeSize) =
        AddressRowText(selection.Empty() ? 0 : selection.End - selection.Start, digits);

    const int count = peek.Count;
    row(TInfoRow::Bit).Hex = count >= 1 ? BitPattern(peek.Bytes[0]) : "----,----";
    // A value needs all its bytes; a row without them shows one dash per digit.
    auto valueRow = [&](TInfoRow r, int width) {
        if (count < width) {
            row(r) = {std::string(static_cast<std::size_t>(width) * 2, '-') + "h", ""};
            return;
        }
        const std::uint32_t value = ReadValue(peek, width, order);
        row(r) = {HexDigits(value, width), Printed("%u", value)};
    };
    valueRow(TInfoRow::Byte, 1);
    valueRow(TInfoRow::Word, 2);
    valueRow(TInfoRow::DoubleWord, 4);
    return texts;
}

TInformationTexts InformationTexts(const TEditorCore& core, TByteOrder order) {
    return InformationTexts(core.CaretAddress(), core.Selection(), core.PeekCaret(), order,
                            AddressDigits(core.Module().Size()));
}

std::string CopyText(TInfoRow row, const TInfoRowText& text) {
    if (row == TInfoRow::Bit) return text.Hex;
    return text.Hex + " (" + text.Decimal + ")";
}

} // namespace mv
