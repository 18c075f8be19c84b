#pragma once

#include "core/datastore/address.h"
#include "core/typedvalues/char_set.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mv {

// What one byte's cell of the character column shows.
struct TCharCell {
    enum TKind : std::uint8_t {
        Byte,      // the byte as a single-byte character of the set
        Character, // a character of Length bytes, its glyph drawn from here over Width cells
        Dot,       // a byte of a Unicode set that forms no drawable character
        Covered,   // a byte of a character drawn from an earlier cell: nothing of its own
        Past,      // past the data's end
    };
    TKind Kind = Past;
    std::uint8_t Length = 1; // the bytes of a Character, 1 to 4
    std::uint8_t Width = 1;  // the cells its glyph takes: 2 for a wide one, never above Length
    char32_t CodePoint = 0;  // of a Character; 0 for a pair that names no character

    friend bool operator==(const TCharCell&, const TCharCell&) = default;
};

// The bytes around the cells that decoding reads: a character that began up to three bytes
// before the first cell, and one that begins in the last cell and runs on. The bytes before
// are four, so that UTF-16 code units keep their places.
inline constexpr std::size_t CellBytesBefore = 4;
inline constexpr std::size_t CellBytesAfter = 3;

// The cells of `count` bytes that begin at data[first]. `data` holds the data's bytes from an
// even address on, with the CellBytesBefore bytes before the cells where the data has them, and
// runs to the data's end or CellBytesAfter bytes past the cells. The pairs of Shift JIS, JIS and
// EUC are decoded from the first cell on, as though no byte came before it; a character of a
// Unicode set that began before the first cell covers the cells of its bytes. A character is one
// Character cell and Covered ones for its other bytes, also where they lie on the next line.
[[nodiscard]] std::vector<TCharCell> CharCells(std::span<const Byte> data, std::size_t first,
                                               std::size_t count, CharaSet set);

} // namespace mv
