#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mv {

// The character set of a view. The numbers are stored in the configuration and name the
// items of the character-set choice, so they never change; new sets take the next numbers.
enum class CharaSet : std::uint8_t {
    Ascii = 0,
    ShiftJis = 1,
    Jis = 2,
    Euc = 3,
    Utf8 = 4,
    Utf16Le = 5,
    Utf16Be = 6,
};
inline constexpr int CharaSetCount = 7;

// The set's caption, as the header of the character column and the set's choices show it.
[[nodiscard]] std::string_view CharaSetName(CharaSet set);

// UTF-8, UTF-16LE and UTF-16BE: their characters are decoded by unicode_chars.h, not in pairs.
[[nodiscard]] bool IsUnicodeSet(CharaSet set);

// Two bytes in file order: the lead, then the trail.
using CharPair = std::array<std::uint8_t, 2>;

// The whole program draws Shift JIS, so every double-byte character of the other sets is
// turned into Shift JIS for display, and typed text (Shift JIS) into the file's set before
// it is stored. Texts are byte strings. Nothing here fails: bytes outside a set's ranges
// pass through as single bytes.

[[nodiscard]] bool IsShiftJisPair(std::uint8_t lead, std::uint8_t trail);
[[nodiscard]] bool IsJisPair(std::uint8_t lead, std::uint8_t trail);
[[nodiscard]] bool IsEucPair(std::uint8_t lead, std::uint8_t trail);

// Replace a JIS X 0208 pair (7-bit or EUC form) by its Shift JIS pair.
void JisPairToShiftJis(CharPair& pair);
void EucPairToShiftJis(CharPair& pair);

[[nodiscard]] CharPair ShiftJisPairToJis(std::uint8_t lead, std::uint8_t trail);

// The full-width JIS X 0208 pair for the half-width katakana at text[index] (0xA1..0xDF).
// A voiced or semi-voiced mark after a katakana that takes it joins the character; index
// moves past the katakana and any mark consumed.
[[nodiscard]] CharPair HalfKanaToJis(std::string_view text, std::size_t& index);

// Shift JIS text as 7-bit JIS text: double-byte and half-width katakana runs open with the
// "kanji in" escape and close with "kanji out" before the next single-byte character; a
// text that ends in kanji ends without it. A lead byte at the very end pairs with trail 0x00.
[[nodiscard]] std::string ShiftJisToJisText(std::string_view text);
// Shift JIS text as EUC-JP text. A lead byte at the very end pairs with a trail 0x00.
[[nodiscard]] std::string ShiftJisToEucText(std::string_view text);

// True if the pair is one double-byte character of the set; the pair then holds its Shift
// JIS bytes. Stateless: escape sequences and the EUC single shift are not followed. The
// Unicode sets have no pairs.
[[nodiscard]] bool DecodeCharPair(CharaSet set, CharPair& pair);

// Typed text (Shift JIS) as the bytes of the set: JIS and EUC as above, the Unicode sets
// through UTF-8 (a byte that begins no Shift JIS character becomes U+FFFD); ASCII and Shift
// JIS keep the bytes.
[[nodiscard]] std::string ShiftJisTextInSet(CharaSet set, std::string_view shiftJis);

} // namespace mv
