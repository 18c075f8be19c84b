#pragma once

#include <string>
#include <string_view>

namespace mv {

// Conversion between the program's byte texts (Shift JIS, as Windows' code page 932 has it)
// and the UTF-8 that the screen and the desktop use. Neither fails nor throws except for
// want of memory.

// A byte that begins no character of the code page (0x80, 0xA0, 0xFD-0xFF, a lead byte
// with a bad trail, a lead byte at the very end) becomes U+FFFD, and decoding goes on at
// the next byte, so a bad trail that is a character of its own survives.
[[nodiscard]] std::string ShiftJisToUtf8(std::string_view shiftJis);

// A character that the code page lacks becomes '?', and so does each malformed UTF-8
// sequence.
[[nodiscard]] std::string Utf8ToShiftJis(std::string_view utf8);

} // namespace mv
