#include "core/filer/filer_number.h"

#include <limits>

namespace mv {
namespace {

constexpr std::uint64_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t Uint32Max = std::numeric_limits<std::uint32_t>::max();

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 99;
}

enum class TDigits { Ok, Bad, TooBig };

// Reads a non-empty run of digits of the radix. The value is capped as it grows, so no run
// length can overflow the accumulator.
TDigits ReadDigits(std::string_view digits, unsigned radix, std::uint64_t limit,
                   std::uint64_t& value) {
    if (digits.empty()) return TDigits::Bad;
    value = 0;
    bool tooBig = false;
    for (const char c : digits) {
        const auto digit = static_cast<unsigned>(DigitValue(c));
        if (digit >= radix) return TDigits::Bad;
        value = value * radix + digit;
        if (value > limit) {
            tooBig = true;
            value = limit + 1;
        }
    }
    return tooBig ? TDigits::TooBig : TDigits::Ok;
}

bool StartsWithHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

} // namespace

TNumberCheck NormalizeNumber(std::string& text) {
    const bool hex = StartsWithHexPrefix(text);
    const std::string_view digits = std::string_view(text).substr(hex ? 2 : 0);
    if (digits.empty()) {
        text = "0";
        return TNumberCheck::Ok;
    }
    std::uint64_t value = 0;
    switch (ReadDigits(digits, hex ? 16 : 10, hex ? Uint32Max : Int32Max, value)) {
    case TDigits::Bad:
        return TNumberCheck::NotANumber;
    case TDigits::TooBig:
        return TNumberCheck::OutOfRange;
    case TDigits::Ok:
        break;
    }
    text = std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return TNumberCheck::Ok;
}

std::optional<std::int32_t> ToInteger(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);

    std::uint64_t value = 0;
    std::size_t hexStart = 0;
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') hexStart = 1;
    if (StartsWithHexPrefix(text)) hexStart = 2;
    if (hexStart > 0) {
        if (ReadDigits(text.substr(hexStart), 16, Uint32Max, value) != TDigits::Ok)
            return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    const bool negative = text[0] == '-';
    if (negative || text[0] == '+') text.remove_prefix(1);
    if (ReadDigits(text, 10, Int32Max + (negative ? 1 : 0), value) != TDigits::Ok)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value));
}

} // namespace mv
