#include "core/probe/char_rows.h"

#include "core/probe/endian_bytes.h"
#include "core/typedvalues/sjis_utf8.h"

#include <array>
#include <bit>
#include <cstdio>
#include <optional>
#include <string_view>

namespace mv {
namespace {

constexpr char32_t NoCharacter = 0xFFFD;

bool IsSurrogate(char32_t code) {
    return code >= 0xD800 && code <= 0xDFFF;
}

std::string Utf8Of(char32_t code) {
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    const int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    // The lead byte has as many high bits set as the sequence has bytes.
    const auto lead = static_cast<char32_t>(0xFF00 >> (tail + 1) & 0xFF);
    std::string text(1, static_cast<char>(lead | code >> (6 * tail)));
    for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
        text += static_cast<char>(0x80 | (code >> shift & 0x3F));
    return text;
}

// The character that begins the bytes, if they begin with a whole, well-formed one.
std::optional<char32_t> DecodeUtf8(std::span<const Byte> bytes) {
    if (bytes.empty()) return std::nullopt;
    const Byte lead = bytes[0];
    if (lead < 0x80) return lead;
    // A lead byte's high ones count the bytes of its sequence; a continuation byte has one.
    const auto length = static_cast<std::size_t>(std::countl_one(lead));
    if (length < 2 || length > 4 || length > bytes.size()) return std::nullopt;
    // The least code point of each length, which rules out overlong forms.
    constexpr std::array<char32_t, 5> Least{0, 0, 0x80, 0x800, 0x10000};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return std::nullopt;
        code = code << 6 | (bytes[i] & 0x3F);
    }
    if (code < Least[length] || code > 0x10FFFF || IsSurrogate(code)) return std::nullopt;
    return code;
}

std::string CharacterText(std::optional<char32_t> code) {
    if (!code) return {};
    std::array<char, 16> point;
    std::snprintf(point.data(), point.size(), "U+%04X", static_cast<unsigned>(*code));
    const bool control = *code < 0x20 || (*code >= 0x7F && *code < 0xA0);
    return control ? std::string(point.data()) : Utf8Of(*code) + " " + point.data();
}

} // namespace

std::string ShowUtf8(std::span<const Byte> bytes, std::endian) {
    return CharacterText(DecodeUtf8(bytes));
}

std::string ShowUtf16(std::span<const Byte> bytes, std::endian order) {
    if (bytes.size() < 2) return {};
    const auto first = static_cast<char32_t>(ReadUnsigned(bytes, 2, order));
    if (!IsSurrogate(first)) return CharacterText(first);
    if (first >= 0xDC00 || bytes.size() < 4) return {};
    const auto second = static_cast<char32_t>(ReadUnsigned(bytes.subspan(2), 2, order));
    if (second < 0xDC00 || second > 0xDFFF) return {};
    return CharacterText(0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
}

std::string ShowShiftJis(std::span<const Byte> bytes, std::endian) {
    if (bytes.empty()) return {};
    const Byte lead = bytes[0];
    const bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const std::size_t length = doubleByte ? 2 : 1;
    if (length > bytes.size()) return {};
    // The converter marks every byte that begins no character with U+FFFD, which no byte of
    // the code page stands for.
    const std::string utf8 =
        ShiftJisToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
    const std::optional<char32_t> code =
        DecodeUtf8(std::span(reinterpret_cast<const Byte*>(utf8.data()), utf8.size()));
    return code == NoCharacter ? std::string() : CharacterText(code);
}

} // namespace mv
