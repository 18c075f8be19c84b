#pragma once

#include "core/probe/endian_bytes.h"
#include "core/probe/probe_edit.h"

#include <concepts>
#include <string>
#include <string_view>
#include <type_traits>

namespace mv {

// The rows that show the bytes at the caret as a number, and take a typed number back.
// Each Show reads only the bytes of its width, which the caller has checked are there.

// An integer of size bytes (1, 2, 4 or 8) in decimal, read as signed or unsigned.
[[nodiscard]] std::string IntegerText(std::uint64_t bits, std::size_t size, bool isSigned);
// Decimal with an optional sign, or hexadecimal after "0x". Hexadecimal without a sign is the
// bit pattern, so that 0xFF is -1 for a signed byte; with a sign it is a value like decimal.
[[nodiscard]] TProbeEdit EncodeInteger(std::string_view text, std::size_t size, bool isSigned,
                                           std::endian order);

template <std::integral T>
[[nodiscard]] std::string ShowInteger(std::span<const Byte> bytes, std::endian order) {
    return IntegerText(ReadUnsigned(bytes, sizeof(T), order), sizeof(T), std::is_signed_v<T>);
}
template <std::integral T>
[[nodiscard]] TProbeEdit EditInteger(std::string_view text, std::endian order) {
    return EncodeInteger(text, sizeof(T), std::is_signed_v<T>, order);
}

// A byte in base 16, 8 or 2, padded with zeros to the digits that 255 takes in that base.
[[nodiscard]] std::string ByteText(Byte value, int base);
// Digits of that base, "0x" allowed before hexadecimal ones.
[[nodiscard]] TProbeEdit EncodeByte(std::string_view text, int base);

template <int Base> [[nodiscard]] std::string ShowByte(std::span<const Byte> bytes, std::endian) {
    return ByteText(bytes[0], Base);
}
template <int Base> [[nodiscard]] TProbeEdit EditByte(std::string_view text, std::endian) {
    return EncodeByte(text, Base);
}

// IEEE 754 single and double precision: the shortest text that reads back as the same value,
// "inf", "-inf", and "nan" for every NaN. Typed text is decimal, "inf" or "nan".
[[nodiscard]] std::string ShowFloat32(std::span<const Byte> bytes, std::endian order);
[[nodiscard]] std::string ShowFloat64(std::span<const Byte> bytes, std::endian order);
[[nodiscard]] TProbeEdit EditFloat32(std::string_view text, std::endian order);
[[nodiscard]] TProbeEdit EditFloat64(std::string_view text, std::endian order);

} // namespace mv
