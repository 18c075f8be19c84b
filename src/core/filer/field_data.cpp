#include "core/filer/field_data.h"

#include "core/typedvalues/byte_swap.h"
#include "core/typedvalues/char_set.h"

#include <algorithm>

namespace mv {
namespace {

std::uint32_t Swapped(std::uint32_t pattern, std::size_t width, bool bigEndian) {
    if (bigEndian && width == 2) return Swap16(static_cast<std::uint16_t>(pattern));
    if (bigEndian && width == 4) return Swap32(pattern);
    return pattern;
}

} // namespace

bool FieldInRange(const TFilerTarget& target, std::int64_t address, std::int64_t width) {
    return address >= 0 && width >= 1 && address <= target.Size() - width;
}

std::vector<Byte> IntegerBytes(std::int32_t value, std::int32_t width, bool bigEndian) {
    std::vector<Byte> bytes(static_cast<std::size_t>(std::max(width, 0)));
    const std::uint32_t pattern =
        Swapped(static_cast<std::uint32_t>(value), bytes.size(), bigEndian);
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        bytes[i] = static_cast<Byte>(pattern >> (8 * i));
    return bytes;
}

std::int32_t IntegerOfBytes(std::span<const Byte> bytes, bool bigEndian) {
    std::uint32_t pattern = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        pattern |= std::uint32_t{bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(Swapped(pattern, bytes.size(), bigEndian));
}

bool WriteFieldInteger(TFilerTarget& target, std::int64_t address, std::int32_t width,
                       bool bigEndian, std::int32_t value) {
    if (!FieldInRange(target, address, width)) return false;
    return target.OverwriteInPlace(IntegerBytes(value, width, bigEndian),
                                   static_cast<Address>(address));
}

std::string TextOfBytes(std::span<const Byte> bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Byte b = bytes[i];
        if (i + 1 < bytes.size() && IsShiftJisPair(b, bytes[i + 1])) {
            text.push_back(static_cast<char>(b));
            text.push_back(static_cast<char>(bytes[++i]));
        } else if ((b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF)) {
            text.push_back(static_cast<char>(b));
        } else {
            text.push_back(' ');
        }
    }
    // Every byte kept above is printable, so only spaces can trail.
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::vector<Byte> TextBytes(std::string_view text, std::int32_t length, Byte pad) {
    std::vector<Byte> bytes(static_cast<std::size_t>(std::max(length, 0)), pad);
    std::copy_n(text.begin(), std::min(text.size(), bytes.size()), bytes.begin());
    return bytes;
}

bool WriteFieldText(TFilerTarget& target, std::int64_t address, std::int32_t length,
                    std::string_view text, Byte pad) {
    if (!FieldInRange(target, address, length)) return false;
    return target.OverwriteInPlace(TextBytes(text, length, pad), static_cast<Address>(address));
}

Byte WithBit(Byte byte, int bit, bool on) {
    const auto mask = static_cast<Byte>(1u << (bit & 7));
    return on ? static_cast<Byte>(byte | mask) : static_cast<Byte>(byte & ~mask);
}

bool WriteFieldBit(TFilerTarget& target, std::int64_t address, int bit, bool on) {
    if (!FieldInRange(target, address, 1)) return false;
    Byte byte = 0;
    target.ReadBytes(std::span<Byte>(&byte, 1), static_cast<Address>(address));
    byte = WithBit(byte, bit, on);
    return target.OverwriteInPlace(std::span<const Byte>(&byte, 1), static_cast<Address>(address));
}

} // namespace mv
