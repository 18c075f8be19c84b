#pragma once

#include "core/typedvalues/char_set.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mv {

// The characters of the Unicode sets (UTF-8, UTF-16LE, UTF-16BE) as the character column, the
// typed text and the text output need them. UTF-16 code units are read from the first byte of
// the bytes given, so a caller keeps them on even addresses.

// The bytes of one code unit: 2 in UTF-16, else 1.
[[nodiscard]] std::size_t UnicodeUnitSize(CharaSet set);

// One character as it stands in the data.
struct TUnicodeChar {
    // The bytes it takes, 1..4. Bytes that form no character are taken as small as the set
    // allows: one byte in UTF-8, one code unit (or a last odd byte) in UTF-16, so decoding goes
    // on right after them.
    std::uint8_t Length = 0;
    // The code point; 0 when the bytes form none.
    char32_t CodePoint = 0;
    // The bytes form a character: no stray continuation byte, overlong form, surrogate code
    // point, unpaired surrogate, value above U+10FFFF, nor a sequence cut by the end.
    bool Valid = false;

    // A valid character that is no control character is drawn; every byte of any other shows
    // as the dot.
    [[nodiscard]] bool Drawable() const;

    friend bool operator==(const TUnicodeChar&, const TUnicodeChar&) = default;
};

// The character at the start of `bytes`; nothing past their end is read, and a sequence they
// cut is invalid. Empty bytes, or a set that is not a Unicode set, give an invalid character
// of length 0 and 1 respectively.
[[nodiscard]] TUnicodeChar DecodeUnicodeChar(CharaSet set, std::span<const std::uint8_t> bytes);

// Where the character that holds bytes[at] begins: at (in UTF-16 the start of its code unit),
// or up to three bytes earlier when a valid character that begins there runs over `at`. So a
// view whose first line starts inside a character draws it from its first byte.
[[nodiscard]] std::size_t UnicodeCharStart(CharaSet set, std::span<const std::uint8_t> bytes,
                                           std::size_t at);

// East Asian Wide or Fullwidth: the glyph takes two cells. Never true for a combining mark.
[[nodiscard]] bool IsWideChar(char32_t codePoint);
// A nonspacing or enclosing mark: it has no width of its own and draws over the character
// before it, so a cell of its own shows it alone.
[[nodiscard]] bool IsCombiningMark(char32_t codePoint);

// What an undrawable byte shows as: the half-width middle dot, the byte the other sets use.
inline constexpr std::string_view UndrawableDot = "\uFF65";
// The most bytes WriteShownUtf8 writes: four undrawable bytes.
inline constexpr std::size_t MaxShownBytes = 4 * UndrawableDot.size();

// Writes what the character shows as, in UTF-8: the character, or one dot per byte when it is
// not drawable. Returns the count of bytes written, at most MaxShownBytes.
std::size_t WriteShownUtf8(const TUnicodeChar& c, char* out);

// Bytes of a Unicode set as text (UTF-8), each character shown as WriteShownUtf8 does.
[[nodiscard]] std::string UnicodeSetToUtf8(CharaSet set, std::span<const std::uint8_t> bytes);

// UTF-8 text as the bytes of a Unicode set; control characters are kept, each byte that
// begins no UTF-8 character becomes U+FFFD. Another set gets the text unchanged.
[[nodiscard]] std::string Utf8ToUnicodeSet(CharaSet set, std::string_view utf8);

} // namespace mv
