#include "core/binaryview/text_output.h"

#include "core/datastore/memory_module.h"
#include "core/typedvalues/unicode_chars.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace mv {

namespace {

constexpr int kColumns = 16;
// Read this many bytes at a time, so that a long dump walks the chain once per chunk.
constexpr ByteCount kChunk = 64 * 1024;
// The bytes past a range that a character beginning inside it may take.
constexpr int kLookahead = 3;
// Shown for bytes that have no printable single-byte form: the half-width middle dot.
constexpr char kUnprintable = '\xA5';
constexpr char kDigits[] = "0123456789abcdef";

bool Printable(Byte b) {
    return (b >= 32 && b <= 95) || (b >= 97 && b <= 126) || (b >= 161 && b <= 223);
}

// How the dump draws the bytes of one character set, as tables, so that a line is built
// without the per-byte decisions that random data would mispredict.
class TGlyphs {
public:
    explicit TGlyphs(CharaSet set) : pairs_(std::size_t{1} << 16) {
        for (int b = 0; b < 256; ++b)
            single_[b] = Printable(static_cast<Byte>(b)) ? static_cast<char>(b) : kUnprintable;
        for (int lead = 0; lead < 256; ++lead)
            for (int trail = 0; trail < 256; ++trail) {
                CharPair pair{static_cast<Byte>(lead), static_cast<Byte>(trail)};
                if (DecodeCharPair(set, pair)) pairs_[lead << 8 | trail] = pair[0] << 8 | pair[1];
            }
    }
    // Each set's tables are built when the set is first dumped.
    static const TGlyphs& Of(CharaSet set) {
        switch (set) {
        case CharaSet::ShiftJis: {
            static const TGlyphs shiftJis(CharaSet::ShiftJis);
            return shiftJis;
        }
        case CharaSet::Jis: {
            static const TGlyphs jis(CharaSet::Jis);
            return jis;
        }
        case CharaSet::Euc: {
            static const TGlyphs euc(CharaSet::Euc);
            return euc;
        }
        case CharaSet::Ascii:
        case CharaSet::Utf8: // the Unicode sets are decoded character by character
        case CharaSet::Utf16Le:
        case CharaSet::Utf16Be:
            break;
        }
        static const TGlyphs ascii(CharaSet::Ascii);
        return ascii;
    }

    [[nodiscard]] char Single(Byte b) const { return single_[b]; }
    // The Shift JIS bytes of the character that lead and trail form, or 0 when they form none
    // (no Shift JIS character begins with byte 0).
    [[nodiscard]] std::uint16_t Pair(Byte lead, Byte trail) const {
        return pairs_[lead << 8 | trail];
    }

private:
    std::array<char, 256> single_{};
    std::vector<std::uint16_t> pairs_;
};

// One line in the layout "[%7.7x0] %-48s|%2.2x| %s" (more address digits from 4 GiB on),
// built in place: the fixed parts never move, so each byte writes its digits at its
// column's place.
class TLineText {
public:
    explicit TLineText(int digits)
        : digits_(digits), hexAt_(digits + 3), sumAt_(hexAt_ + 48 + 1), charsAt_(sumAt_ + 4) {}

    // Starts the line of `lineAddress` whose first byte stands in `column`.
    void Start(Address lineAddress, int column) {
        std::memset(text_, ' ', static_cast<std::size_t>(charsAt_));
        text_[0] = '[';
        for (int i = digits_; i >= 1; --i, lineAddress >>= 4)
            text_[i] = kDigits[lineAddress & 15];
        text_[digits_ + 1] = ']';
        std::memset(text_ + charsAt_, ' ', static_cast<std::size_t>(column));
        charsEnd_ = charsAt_ + column;
    }
    void Hex(int column, Byte b) {
        text_[hexAt_ + column * 3] = kDigits[b >> 4];
        text_[hexAt_ + column * 3 + 1] = kDigits[b & 15];
    }
    // Where the characters go; the caller may write one byte past those it counts.
    [[nodiscard]] char* Chars() { return text_ + charsEnd_; }
    void AddChars(int count) { charsEnd_ += count; }
    void AddSpaces(int count) {
        std::memset(Chars(), ' ', static_cast<std::size_t>(count));
        AddChars(count);
    }
    [[nodiscard]] std::string_view Finish(std::uint8_t sum) {
        text_[sumAt_ - 1] = '|';
        text_[sumAt_] = kDigits[sum >> 4];
        text_[sumAt_ + 1] = kDigits[sum & 15];
        text_[sumAt_ + 2] = '|';
        return {text_, static_cast<std::size_t>(charsEnd_)};
    }

private:
    int digits_;
    int hexAt_;
    int sumAt_;
    int charsAt_;
    // Sixteen address digits at most, then sixteen columns and the bytes a character begun in
    // the last one runs on, each shown in at most three bytes (the UTF-8 dot); this also
    // holds the spare byte a pair write touches.
    char text_[16 + 3 + 48 + 1 + 4 + 3 * (kColumns + kLookahead)];
    int charsEnd_ = charsAt_;
};

// The bytes of the range plus kLookahead after it (0 past the end), read chunk by chunk.
class TChunkReader {
public:
    TChunkReader(const TMemoryModule& module, Address start, ByteCount count)
        : module_(module), end_(std::int64_t{start} + count) {}

    // The count bytes from address and kLookahead after them; addresses only ever increase.
    // Nothing once the file read on demand could not give them: no text is made up.
    const Byte* Span(Address address, int count) {
        if (address + count + kLookahead > bufferStart_ + static_cast<std::int64_t>(buffer_.size()))
            Refill(address);
        return unreadable_ ? nullptr : buffer_.data() + (address - bufferStart_);
    }

private:
    void Refill(Address address) {
        const std::int64_t want = std::min<std::int64_t>(kChunk, end_ - address) + kLookahead;
        buffer_.resize(static_cast<std::size_t>(want));
        unreadable_ = !module_.ReadBytes(buffer_.data(), address, static_cast<ByteCount>(want)) &&
                      module_.SourceFault() != 0;
        bufferStart_ = address;
    }

    const TMemoryModule& module_;
    bool unreadable_ = false;
    std::int64_t end_;
    std::int64_t bufferStart_ = 0;
    std::vector<Byte> buffer_;
};

// Writes the characters that begin in bytes[from, n), a pair in Shift JIS; returns where the
// last one ends, past n when it runs on into the next line. Both bytes are written every
// time; a single byte then counts one of them and the next character overwrites the other.
int WritePairs(const TGlyphs& glyphs, const Byte* bytes, int from, int n, TLineText& line) {
    char* out = line.Chars();
    int written = 0;
    int i = from;
    while (i < n) {
        const std::uint16_t pair = glyphs.Pair(bytes[i], bytes[i + 1]);
        const int isPair = pair != 0 ? 1 : 0;
        out[written] = isPair ? static_cast<char>(pair >> 8) : glyphs.Single(bytes[i]);
        out[written + 1] = static_cast<char>(pair & 0xFF);
        written += 1 + isPair;
        i += 1 + isPair;
    }
    line.AddChars(written);
    return i;
}

// As WritePairs for a Unicode set, in UTF-8; `bytes` begin at `address` and end where the
// file ends, which cuts a character there. A range that starts inside a UTF-16 code unit
// shows that unit's second byte as no character.
int WriteUnicodeChars(CharaSet set, std::span<const Byte> bytes, Address address, int from, int n,
                      TLineText& line) {
    char* out = line.Chars();
    std::size_t written = 0;
    int i = from;
    while (i < n) {
        const auto rest = bytes.subspan(static_cast<std::size_t>(i));
        const bool halfUnit = (address + i) % UnicodeUnitSize(set) != 0;
        const TUnicodeChar c = DecodeUnicodeChar(set, halfUnit ? rest.first(1) : rest);
        written += WriteShownUtf8(c, out + written);
        i += c.Length;
    }
    line.AddChars(static_cast<int>(written));
    return i;
}

} // namespace

std::uint8_t TTextOutput::LineSumStart(Address lineAddress) const {
    if (!asciiCheckSum_) return 0;
    std::uint8_t sum = 0;
    for (auto a = static_cast<std::uint64_t>(lineAddress); a != 0; a >>= 8)
        sum = static_cast<std::uint8_t>(sum + a);
    return sum;
}

void TTextOutput::Run(Address start, ByteCount count, const LineEvent& onLine) const {
    if (!onLine || start < 0 || count <= 0) return;
    count = std::min(count, std::numeric_limits<Address>::max() - start);
    const TGlyphs& glyphs = TGlyphs::Of(charaSet_);
    const bool unicode = IsUnicodeSet(charaSet_);
    const std::int64_t size = module_.Size();
    TChunkReader reader(module_, start, count);
    module_.StartWork();
    const ByteCount total = count;
    TLineText line(AddressDigits(module_.Size()));
    Address address = start;
    int column = static_cast<int>(start % kColumns);
    // The bytes of a character written whole at the end of the previous line that stand at
    // the start of this one; each shows as a space.
    int carried = 0;
    while (count > 0) {
        const int n = static_cast<int>(std::min<ByteCount>(kColumns - column, count));
        const Byte* bytes = reader.Span(address, n);
        if (bytes == nullptr) return;
        line.Start(address - column, column);
        std::uint8_t sum = LineSumStart(address - column);
        for (int i = 0; i < n; ++i) {
            line.Hex(column + i, bytes[i]);
            sum = static_cast<std::uint8_t>(sum + bytes[i]);
        }
        // A character is written whole at its first byte, and its other bytes, when on the
        // same line, add nothing.
        const int from = std::min(carried, n);
        line.AddSpaces(from);
        // Bytes past the file are no part of a character; those of the range stay readable.
        const auto readable =
            static_cast<std::size_t>(std::clamp<std::int64_t>(size - address, n, n + kLookahead));
        const int end =
            unicode ? WriteUnicodeChars(charaSet_, {bytes, readable}, address, from, n, line)
                    : WritePairs(glyphs, bytes, from, n, line);
        carried = end - n;
        bool proceed = module_.WorkGoesOn(n, total - count, total);
        if (proceed) onLine(line.Finish(sum), proceed);
        if (!proceed) return;
        address += n;
        count -= n;
        column = 0;
    }
}

} // namespace mv
