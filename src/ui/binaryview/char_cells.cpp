#include "ui/binaryview/char_cells.h"

#include "core/typedvalues/sjis_utf8.h"
#include "core/typedvalues/unicode_chars.h"

#include <algorithm>
#include <string>
#include <utility>

namespace mv {

namespace {

constexpr char32_t ReplacementChar = 0xFFFD;

// The code point of a double-byte character that DecodeCharPair turned into Shift JIS; 0 for a
// pair in the lead and trail ranges that names none.
char32_t PairCodePoint(const CharPair& shiftJis) {
    const std::string utf8 =
        ShiftJisToUtf8(std::string{static_cast<char>(shiftJis[0]), static_cast<char>(shiftJis[1])});
    const std::span<const Byte> bytes(reinterpret_cast<const Byte*>(utf8.data()), utf8.size());
    const TUnicodeChar c = DecodeUnicodeChar(CharaSet::Utf8, bytes);
    return c.Valid && c.Length == utf8.size() && c.CodePoint != ReplacementChar ? c.CodePoint : 0;
}

// Collects the cells from data[first] on; a character that began before them puts down only
// what lies inside.
class TCellWriter {
public:
    TCellWriter(std::size_t first, std::size_t count) : first_(first), cells_(count) {}

    void Put(std::size_t at, TCharCell cell) {
        if (at >= first_ && at - first_ < cells_.size()) cells_[at - first_] = cell;
    }
    void PutCharacter(std::size_t at, std::uint8_t length, std::uint8_t width, char32_t codePoint) {
        Put(at, {TCharCell::Character, length, width, codePoint});
        for (std::size_t i = 1; i < length; ++i)
            Put(at + i, {TCharCell::Covered});
    }
    [[nodiscard]] std::vector<TCharCell> Take() { return std::move(cells_); }

private:
    std::size_t first_;
    std::vector<TCharCell> cells_; // Past until put
};

void PairCells(std::span<const Byte> data, std::size_t first, std::size_t end, CharaSet set,
               TCellWriter& cells) {
    for (std::size_t i = first; i < end;) {
        const bool hasTrail = i + 1 < data.size(); // a pair needs both bytes inside the data
        CharPair pair{data[i], hasTrail ? data[i + 1] : Byte{0}};
        if (hasTrail && DecodeCharPair(set, pair)) {
            cells.PutCharacter(i, 2, 2, PairCodePoint(pair));
            i += 2;
        } else {
            cells.Put(i, {TCharCell::Byte});
            ++i;
        }
    }
}

void UnicodeCells(std::span<const Byte> data, std::size_t first, std::size_t end, CharaSet set,
                  TCellWriter& cells) {
    for (std::size_t i = UnicodeCharStart(set, data, first); i < end;) {
        const TUnicodeChar c = DecodeUnicodeChar(set, data.subspan(i));
        if (c.Drawable()) {
            cells.PutCharacter(i, c.Length, IsWideChar(c.CodePoint) ? 2 : 1, c.CodePoint);
        } else {
            for (std::size_t b = 0; b < c.Length; ++b)
                cells.Put(i + b, {TCharCell::Dot});
        }
        i += c.Length;
    }
}

} // namespace

std::vector<TCharCell> CharCells(std::span<const Byte> data, std::size_t first, std::size_t count,
                                 CharaSet set) {
    TCellWriter cells(first, count);
    const std::size_t end = std::min(first + count, data.size());
    if (first < end) {
        if (IsUnicodeSet(set))
            UnicodeCells(data, first, end, set, cells);
        else
            PairCells(data, first, end, set, cells);
    }
    return cells.Take();
}

} // namespace mv
