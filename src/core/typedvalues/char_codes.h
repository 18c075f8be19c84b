#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// The single-byte code sets the character selector lists: ASCII (128 codes), JIS X 0201 and
// JIS X 0201 with the NEC graphic characters (256 codes each).
enum class TAsciiSet : std::uint8_t { asASCII = 0, asJISX0201 = 1, asNEC = 2 };

[[nodiscard]] int CodeCount(TAsciiSet set);

// The English name of a 7-bit code, spelt as the list has always shown it; empty for digits
// and letters.
[[nodiscard]] std::string_view AsciiCharName(std::uint8_t code);

// A list item's text: "41h ( 65d) " and the name for a 7-bit code, "85h (133d)" above.
[[nodiscard]] std::string CharItemText(std::uint8_t code);

// The code whose glyph of the character bitmap a list item shows, or nothing for an empty
// square. ASCII shows 0x5C as a backslash (the bitmap has the yen sign there); the NEC
// graphic characters (0x80..0x9F, 0xE0..0xFF) appear only in the NEC set.
[[nodiscard]] std::optional<std::uint8_t> GlyphSlot(TAsciiSet set, std::uint8_t code);

} // namespace mv
