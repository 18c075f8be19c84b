#include "core/typedvalues/char_set.h"

#include "core/typedvalues/sjis_utf8.h"
#include "core/typedvalues/unicode_chars.h"

namespace mv {

namespace {

constexpr std::string_view KanjiIn = "\x1B\x24\x42";  // ESC $ B: JIS X 0208-1983
constexpr std::string_view KanjiOut = "\x1B\x28\x4A"; // ESC ( J: JIS X 0201 Roman

constexpr std::uint8_t FirstHalfKana = 0xA1;
constexpr std::uint8_t LastHalfKana = 0xDF;
constexpr std::uint8_t VoicedMark = 0xDE;
constexpr std::uint8_t SemiVoicedMark = 0xDF;
constexpr std::uint8_t EucSingleShift = 0x8E;

// The JIS X 0208 character (row byte, cell byte) for each half-width katakana 0xA1..0xDF.
constexpr std::array<std::uint16_t, LastHalfKana - FirstHalfKana + 1> HalfKanaTable = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523, // ｡｢｣､･ｦｧｨ
    0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, 0x213C, // ｩｪｫｬｭｮｯｰ
    0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D, 0x252F, // ｱｲｳｴｵｶｷｸ
    0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F, // ｹｺｻｼｽｾｿﾀ
    0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, 0x254D, // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E, 0x255F, // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, 0x256A, // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,         // ﾙﾚﾛﾜﾝﾞﾟ
};

bool InRange(std::uint8_t b, std::uint8_t low, std::uint8_t high) {
    return b >= low && b <= high;
}

bool IsHalfKana(std::uint8_t b) {
    return InRange(b, FirstHalfKana, LastHalfKana);
}

std::uint8_t ByteAt(std::string_view text, std::size_t index) {
    return static_cast<std::uint8_t>(text[index]);
}

// The trail of a lead byte: the next byte, or 0x00 when the lead ends the text.
std::uint8_t TrailAfter(std::string_view text, std::size_t lead) {
    return lead + 1 < text.size() ? ByteAt(text, lead + 1) : 0x00;
}

void Append(std::string& out, const CharPair& pair) {
    out.push_back(static_cast<char>(pair[0]));
    out.push_back(static_cast<char>(pair[1]));
}

constexpr std::array<std::string_view, CharaSetCount> Names = {
    "ASCII", "Shift JIS", "JIS", "EUC", "UTF-8", "UTF-16LE", "UTF-16BE",
};

} // namespace

std::string_view CharaSetName(CharaSet set) {
    const auto index = static_cast<std::size_t>(set);
    return index < Names.size() ? Names[index] : std::string_view();
}

bool IsUnicodeSet(CharaSet set) {
    return set == CharaSet::Utf8 || set == CharaSet::Utf16Le || set == CharaSet::Utf16Be;
}

bool IsShiftJisPair(std::uint8_t lead, std::uint8_t trail) {
    return (InRange(lead, 0x81, 0x9F) || InRange(lead, 0xE0, 0xEF)) &&
           (InRange(trail, 0x40, 0x7E) || InRange(trail, 0x80, 0xFC));
}

bool IsJisPair(std::uint8_t lead, std::uint8_t trail) {
    return InRange(lead, 0x21, 0x7E) && InRange(trail, 0x21, 0x7E);
}

bool IsEucPair(std::uint8_t lead, std::uint8_t trail) {
    return InRange(lead, 0xA1, 0xFE) && InRange(trail, 0xA1, 0xFE);
}

// Shift JIS packs two JIS rows into one lead byte: odd rows take trails 0x40..0x9E (skipping
// 0x7F), even rows 0x9F..0xFC. All arithmetic wraps on 8 bits.
void JisPairToShiftJis(CharPair& pair) {
    const auto [j1, j2] = pair;
    std::uint8_t t = (j1 & 1) != 0 ? j2 + 0x1F : j2 + 0x7D;
    if (t > 0x7E) ++t;
    const std::uint8_t half = static_cast<std::uint8_t>(j1 + 1) >> 1;
    pair[0] = static_cast<std::uint8_t>(half + (j1 < 0x5F ? 0x70 : 0xB0));
    pair[1] = t;
}

void EucPairToShiftJis(CharPair& pair) {
    const auto [e1, e2] = pair;
    std::uint8_t t = 0;
    if ((e1 & 1) != 0) {
        t = e2 - 0x61;
        if (t > 0x7E) ++t;
    } else {
        t = e2 - 2;
    }
    const std::uint8_t half = static_cast<std::uint8_t>(e1 + 1) >> 1;
    pair[0] = static_cast<std::uint8_t>(half + (e1 < 0xDF ? 0x30 : 0x70));
    pair[1] = t;
}

CharPair ShiftJisPairToJis(std::uint8_t lead, std::uint8_t trail) {
    const std::uint8_t base = lead < 0xA0 ? lead - 0x70 : lead - 0xB0;
    std::uint8_t j1 = base * 2;
    std::uint8_t j2 = 0;
    if (trail < 0x9F) {
        --j1;
        j2 = trail < 0x80 ? trail - 0x1F : trail - 0x20;
    } else {
        j2 = trail - 0x7E;
    }
    return {j1, j2};
}

CharPair HalfKanaToJis(std::string_view text, std::size_t& index) {
    if (index >= text.size() || !IsHalfKana(ByteAt(text, index))) return {0x00, 0x00};
    const std::uint8_t b = ByteAt(text, index++);
    const std::uint16_t code = HalfKanaTable[b - FirstHalfKana];
    CharPair pair = {static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)};

    if (index >= text.size()) return pair;
    const std::uint8_t mark = ByteAt(text, index);
    if (mark == VoicedMark && (InRange(b, 0xB6, 0xC4) || InRange(b, 0xCA, 0xCE))) {
        pair[1] += 1; // ｶﾞ → ガ, ﾊﾞ → バ: the voiced form follows the plain one
        ++index;
    } else if (mark == SemiVoicedMark && InRange(b, 0xCA, 0xCE)) {
        pair[1] += 2; // ﾊﾟ → パ
        ++index;
    } else if (mark == VoicedMark && b == 0xB3) {
        pair[1] = 0x74; // ｳﾞ → ヴ, which lies apart from ウ
        ++index;
    }
    return pair;
}

std::string ShiftJisToJisText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2 * KanjiIn.size());
    bool inKanji = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t b = ByteAt(text, i);
        if (b <= 0x7F) {
            if (inKanji) out += KanjiOut;
            inKanji = false;
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        if (!inKanji) out += KanjiIn;
        inKanji = true;
        if (IsHalfKana(b)) {
            Append(out, HalfKanaToJis(text, i));
        } else {
            Append(out, ShiftJisPairToJis(b, TrailAfter(text, i)));
            i += 2;
        }
    }
    // A text that ends in kanji stays in kanji: the bytes typed next continue it.
    return out;
}

std::string ShiftJisToEucText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t b = ByteAt(text, i);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
        } else if (IsHalfKana(b)) {
            out.push_back(static_cast<char>(EucSingleShift));
            out.push_back(static_cast<char>(b));
            ++i;
        } else {
            const CharPair jis = ShiftJisPairToJis(b, TrailAfter(text, i));
            Append(out, {static_cast<std::uint8_t>(jis[0] | 0x80),
                         static_cast<std::uint8_t>(jis[1] | 0x80)});
            i += 2;
        }
    }
    return out;
}

bool DecodeCharPair(CharaSet set, CharPair& pair) {
    switch (set) {
    case CharaSet::ShiftJis:
        return IsShiftJisPair(pair[0], pair[1]);
    case CharaSet::Jis:
        if (!IsJisPair(pair[0], pair[1])) return false;
        JisPairToShiftJis(pair);
        return true;
    case CharaSet::Euc:
        if (!IsEucPair(pair[0], pair[1])) return false;
        EucPairToShiftJis(pair);
        return true;
    case CharaSet::Ascii:
    case CharaSet::Utf8:
    case CharaSet::Utf16Le:
    case CharaSet::Utf16Be:
        break;
    }
    return false; // ASCII, the Unicode sets and any value outside the sets have no pairs
}

std::string ShiftJisTextInSet(CharaSet set, std::string_view shiftJis) {
    switch (set) {
    case CharaSet::Jis:
        return ShiftJisToJisText(shiftJis);
    case CharaSet::Euc:
        return ShiftJisToEucText(shiftJis);
    case CharaSet::Utf8:
    case CharaSet::Utf16Le:
    case CharaSet::Utf16Be:
        return Utf8ToUnicodeSet(set, ShiftJisToUtf8(shiftJis));
    case CharaSet::Ascii:
    case CharaSet::ShiftJis:
        break;
    }
    return std::string(shiftJis);
}

} // namespace mv
