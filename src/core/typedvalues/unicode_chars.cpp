#include "core/typedvalues/unicode_chars.h"

#include <cstring>

namespace mv {

namespace {

constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr char32_t ReplacementChar = 0xFFFD;

bool IsHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

TUnicodeChar Invalid(std::size_t length) {
    return {static_cast<std::uint8_t>(length), 0, false};
}

// The length of the sequence a lead byte begins; 0 for a continuation byte and past 0xF7.
std::size_t AnnouncedLength(std::uint8_t lead) {
    if (lead < 0xC0 || lead >= 0xF8) return 0;
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

// A continuation byte carries six bits. A sequence is refused whole when its value has a
// shorter form, is a surrogate or lies past U+10FFFF.
TUnicodeChar DecodeUtf8(std::span<const std::uint8_t> bytes) {
    const std::uint8_t lead = bytes[0];
    if (lead < 0x80) return {1, lead, true};
    const std::size_t length = AnnouncedLength(lead);
    if (length == 0 || length > bytes.size()) return Invalid(1);
    char32_t codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return Invalid(1);
        codePoint = codePoint << 6 | (bytes[i] & 0x3F);
    }
    constexpr char32_t Shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < Shortest[length] || IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint) ||
        codePoint > LastCodePoint)
        return Invalid(1);
    return {static_cast<std::uint8_t>(length), codePoint, true};
}

char32_t Unit(std::span<const std::uint8_t> bytes, std::size_t at, bool bigEndian) {
    const std::uint8_t first = bytes[at];
    const std::uint8_t second = bytes[at + 1];
    return bigEndian ? char32_t{first} << 8 | second : char32_t{second} << 8 | first;
}

// A high surrogate and the low one after it form one character; any other surrogate is none.
TUnicodeChar DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    if (bytes.size() < 2) return Invalid(1);
    const char32_t unit = Unit(bytes, 0, bigEndian);
    if (IsLowSurrogate(unit)) return Invalid(2);
    if (!IsHighSurrogate(unit)) return {2, unit, true};
    if (bytes.size() < 4) return Invalid(2);
    const char32_t low = Unit(bytes, 2, bigEndian);
    if (!IsLowSurrogate(low)) return Invalid(2);
    return {4, 0x10000 + ((unit - 0xD800) << 10 | (low - 0xDC00)), true};
}

std::size_t WriteUtf8(char32_t codePoint, char* out) {
    const auto put = [&](std::size_t i, char32_t bits) { out[i] = static_cast<char>(bits); };
    if (codePoint < 0x80) {
        put(0, codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        put(0, 0xC0 | codePoint >> 6);
        put(1, 0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        put(0, 0xE0 | codePoint >> 12);
        put(1, 0x80 | (codePoint >> 6 & 0x3F));
        put(2, 0x80 | (codePoint & 0x3F));
        return 3;
    }
    put(0, 0xF0 | codePoint >> 18);
    put(1, 0x80 | (codePoint >> 12 & 0x3F));
    put(2, 0x80 | (codePoint >> 6 & 0x3F));
    put(3, 0x80 | (codePoint & 0x3F));
    return 4;
}

void AppendUtf16(std::string& out, char32_t unit, bool bigEndian) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? high : low);
    out.push_back(bigEndian ? low : high);
}

void AppendInSet(std::string& out, CharaSet set, char32_t codePoint) {
    if (set == CharaSet::Utf8) {
        char utf8[4];
        out.append(utf8, WriteUtf8(codePoint, utf8));
        return;
    }
    const bool bigEndian = set == CharaSet::Utf16Be;
    if (codePoint < 0x10000) {
        AppendUtf16(out, codePoint, bigEndian);
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    AppendUtf16(out, 0xD800 | offset >> 10, bigEndian);
    AppendUtf16(out, 0xDC00 | (offset & 0x3FF), bigEndian);
}

} // namespace

std::size_t UnicodeUnitSize(CharaSet set) {
    return set == CharaSet::Utf16Le || set == CharaSet::Utf16Be ? 2 : 1;
}

bool TUnicodeChar::Drawable() const {
    const bool control = CodePoint < 0x20 || (CodePoint >= 0x7F && CodePoint < 0xA0);
    return Valid && !control;
}

TUnicodeChar DecodeUnicodeChar(CharaSet set, std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return Invalid(0);
    switch (set) {
    case CharaSet::Utf8:
        return DecodeUtf8(bytes);
    case CharaSet::Utf16Le:
        return DecodeUtf16(bytes, false);
    case CharaSet::Utf16Be:
        return DecodeUtf16(bytes, true);
    case CharaSet::Ascii:
    case CharaSet::ShiftJis:
    case CharaSet::Jis:
    case CharaSet::Euc:
        break;
    }
    return Invalid(1);
}

std::size_t UnicodeCharStart(CharaSet set, std::span<const std::uint8_t> bytes, std::size_t at) {
    const std::size_t unit = UnicodeUnitSize(set);
    at -= at % unit;
    // Valid characters never overlap, so at most one earlier start runs over `at`.
    for (std::size_t back = unit; back <= 3 && back <= at; back += unit) {
        const TUnicodeChar c = DecodeUnicodeChar(set, bytes.subspan(at - back));
        if (c.Valid && c.Length > back) return at - back;
    }
    return at;
}

std::size_t WriteShownUtf8(const TUnicodeChar& c, char* out) {
    if (c.Drawable()) return WriteUtf8(c.CodePoint, out);
    for (std::size_t i = 0; i < c.Length; ++i)
        std::memcpy(out + i * UndrawableDot.size(), UndrawableDot.data(), UndrawableDot.size());
    return c.Length * UndrawableDot.size();
}

std::string UnicodeSetToUtf8(CharaSet set, std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    char shown[MaxShownBytes];
    for (std::size_t i = 0; i < bytes.size();) {
        const TUnicodeChar c = DecodeUnicodeChar(set, bytes.subspan(i));
        text.append(shown, WriteShownUtf8(c, shown));
        i += c.Length;
    }
    return text;
}

std::string Utf8ToUnicodeSet(CharaSet set, std::string_view utf8) {
    if (!IsUnicodeSet(set)) return std::string(utf8);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(utf8.data()),
                                              utf8.size());
    std::string out;
    out.reserve(utf8.size() * UnicodeUnitSize(set));
    for (std::size_t i = 0; i < bytes.size();) {
        const TUnicodeChar c = DecodeUnicodeChar(CharaSet::Utf8, bytes.subspan(i));
        AppendInSet(out, set, c.Valid ? c.CodePoint : ReplacementChar);
        i += c.Length;
    }
    return out;
}

} // namespace mv
