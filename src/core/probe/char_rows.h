#pragma once

#include "core/datastore/address.h"

#include <bit>
#include <span>
#include <string>

namespace mv {

// The rows that show the character that begins at the caret, in UTF-8 and then its code
// point: "あ U+3042"; a control character, having no glyph, by its code point alone. A
// malformed or cut-off sequence shows empty. Each reads only as many bytes as the character
// takes and as the span holds.

// UTF-8 as the standard has it: no overlong form, no surrogate, nothing beyond U+10FFFF.
[[nodiscard]] std::string ShowUtf8(std::span<const Byte> bytes, std::endian order);
// UTF-16 in the given byte order; a surrogate pair makes one character.
[[nodiscard]] std::string ShowUtf16(std::span<const Byte> bytes, std::endian order);
// Shift JIS as the program reads it everywhere else (code page 932).
[[nodiscard]] std::string ShowShiftJis(std::span<const Byte> bytes, std::endian order);

} // namespace mv
