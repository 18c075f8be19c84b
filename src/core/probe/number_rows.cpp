#include "core/probe/number_rows.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

namespace mv {
namespace {

constexpr std::string_view NotAnInteger = "整数値を入力して下さい.";
constexpr std::string_view NotANumber = "実数値を入力して下さい.";

std::string RangeMessage(std::string_view low, std::string_view high) {
    return "値は " + std::string(low) + " ～ " + std::string(high) + " の範囲で指定して下さい.";
}

std::uint64_t UnsignedMax(std::size_t size) {
    return size >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * size)) - 1;
}

// Whether a value with this magnitude and sign lies in the range of the width, as a signed or
// an unsigned integer.
bool Fits(std::uint64_t magnitude, std::size_t size, bool isSigned, bool negative) {
    const std::uint64_t unsignedMax = UnsignedMax(size);
    if (!isSigned) return negative ? magnitude == 0 : magnitude <= unsignedMax;
    return magnitude <= unsignedMax / 2 + (negative ? 1 : 0);
}

// Strips a "0x" or "0X" prefix, telling whether there was one.
bool TakeHexPrefix(std::string_view& text) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    text.remove_prefix(2);
    return true;
}

// The whole text as a number of the base, nullopt when it is not one. A number too long for
// 64 bits is one, refused later for its size.
struct TMagnitude {
    std::uint64_t Value = 0;
    bool Overflow = false;
};

std::optional<TMagnitude> Magnitude(std::string_view text, int base) {
    TMagnitude magnitude;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude.Value, base);
    magnitude.Overflow = error == std::errc::result_out_of_range;
    if ((error != std::errc{} && !magnitude.Overflow) || stop != end) return std::nullopt;
    return magnitude;
}

template <typename Float> std::string FloatText(Float value) {
    if (std::isnan(value)) return "nan";
    std::array<char, 32> text;
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

template <typename Bits>
TProbeEdit EncodeFloat(std::string_view text, std::endian order, std::string_view tooLarge) {
    using Float = std::conditional_t<sizeof(Bits) == 4, float, double>;
    text = Typed(text);
    // from_chars takes a minus sign but no plus sign; "+-1" stays malformed.
    if (text.starts_with('+') && !text.substr(1).starts_with('-')) text.remove_prefix(1);
    Float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return TProbeEdit::Refused(std::string(tooLarge));
    if (error != std::errc{} || end != text.data() + text.size())
        return TProbeEdit::Refused(std::string(NotANumber));
    return {UnsignedBytes(std::bit_cast<Bits>(value), sizeof(Bits), order), {}};
}

} // namespace

std::string IntegerText(std::uint64_t bits, std::size_t size, bool isSigned) {
    if (!isSigned) return std::to_string(bits);
    const std::size_t unused = 64 - 8 * size;
    return std::to_string(static_cast<std::int64_t>(bits << unused) >> unused);
}

TProbeEdit EncodeInteger(std::string_view text, std::size_t size, bool isSigned,
                             std::endian order) {
    text = Typed(text);
    const bool hasSign = text.starts_with('-') || text.starts_with('+');
    const bool negative = text.starts_with('-');
    if (hasSign) text.remove_prefix(1);
    const bool hex = TakeHexPrefix(text);
    const std::optional<TMagnitude> magnitude = Magnitude(text, hex ? 16 : 10);
    if (!magnitude) return TProbeEdit::Refused(std::string(NotAnInteger));

    const bool bitPattern = hex && !hasSign;
    if (magnitude->Overflow || !Fits(magnitude->Value, size, isSigned && !bitPattern, negative)) {
        const std::uint64_t unsignedMax = UnsignedMax(size);
        return TProbeEdit::Refused(
            isSigned ? RangeMessage(IntegerText(unsignedMax / 2 + 1, size, true),
                                    IntegerText(unsignedMax / 2, size, true))
                     : RangeMessage("0", IntegerText(unsignedMax, size, false)));
    }
    const std::uint64_t value = magnitude->Value;
    const std::uint64_t bits = negative ? 0 - value : value;
    return {UnsignedBytes(bits, size, order), {}};
}

std::string ByteText(Byte value, int base) {
    std::size_t width = 0;
    for (int rest = 0xFF; rest > 0; rest /= base)
        ++width;
    std::array<char, 8> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, base);
    std::string text(digits.data(), result.ptr);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return std::string(width - text.size(), '0') + text;
}

TProbeEdit EncodeByte(std::string_view text, int base) {
    text = Typed(text);
    if (base == 16) TakeHexPrefix(text);
    const std::optional<TMagnitude> magnitude = Magnitude(text, base);
    if (!magnitude) return TProbeEdit::Refused(std::to_string(base) + " 進数を入力して下さい.");
    if (magnitude->Overflow || magnitude->Value > 0xFF)
        return TProbeEdit::Refused(RangeMessage(ByteText(0, base), ByteText(0xFF, base)));
    return {{static_cast<Byte>(magnitude->Value)}, {}};
}

std::string ShowFloat32(std::span<const Byte> bytes, std::endian order) {
    return FloatText(
        std::bit_cast<float>(static_cast<std::uint32_t>(ReadUnsigned(bytes, 4, order))));
}

std::string ShowFloat64(std::span<const Byte> bytes, std::endian order) {
    return FloatText(std::bit_cast<double>(ReadUnsigned(bytes, 8, order)));
}

TProbeEdit EditFloat32(std::string_view text, std::endian order) {
    return EncodeFloat<std::uint32_t>(text, order, "値は 32 ビット浮動小数点数では表せません.");
}

TProbeEdit EditFloat64(std::string_view text, std::endian order) {
    return EncodeFloat<std::uint64_t>(text, order, "値は 64 ビット浮動小数点数では表せません.");
}

} // namespace mv
