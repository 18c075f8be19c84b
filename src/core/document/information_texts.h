#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"

#include <array>
#include <string>

namespace mv {

class TEditorCore;
struct TCaretPeek;
struct TSelection;

// The rows of the information panel, top to bottom, left column first.
enum class TInfoRow : int { Address, FileSize, RangeSize, Bit, Byte, Word, DoubleWord };
inline constexpr int InfoRowCount = 7;

// One row as the panel shows it: a hexadecimal text and a decimal text (empty when the
// bytes are missing; the Bit row never has one).
struct TInfoRowText {
    std::string Hex;
    std::string Decimal;
    friend bool operator==(const TInfoRowText&, const TInfoRowText&) = default;
};

// Everything the caret refresh writes; the File Size row is the status refresh's and stays
// empty here.
using TInformationTexts = std::array<TInfoRowText, InfoRowCount>;

// "%8.8xh" (digits wide, see AddressDigits) and "%d" of an address or a size.
[[nodiscard]] TInfoRowText AddressRowText(Address value, int digits = 8);
// The caret rows from the caret address, the selection and the up to four bytes at the caret,
// the Word and Double Word rows read in the given byte order.
[[nodiscard]] TInformationTexts InformationTexts(Address caret, const TSelection& selection,
                                                 const TCaretPeek& peek, TByteOrder order,
                                                 int digits = 8);
[[nodiscard]] TInformationTexts InformationTexts(const TEditorCore& core, TByteOrder order);

// What a row's copy button puts on the clipboard: "hex (decimal)", or the bits alone.
[[nodiscard]] std::string CopyText(TInfoRow row, const TInfoRowText& text);

} // namespace mv
