#include "core/filer/field_data.h"

#include "core/typedvalues/byte_swap.h"
#include "core/typedvalues/char_set.h"

#include <algorithm>
#include <array>

namespace mv {
namespace {

std::vector<Byte> ReadField(const TFilerTarget& target, std::int64_t address, std::int32_t width) {
    std::vector<Byte> bytes(static_cast<std::size_t>(width));
    target.ReadBytes(bytes, static_cast<Address>(address));
    return bytes;
}

} // namespace

bool FieldInRange(const TFilerTarget& target, std::int64_t address, std::int64_t width) {
    return address >= 0 && width >= 1 && address <= target.Size() - width;
}

std::vector<Byte> IntegerBytes(std::int32_t value, std::int32_t width, bool bigEndian) {
    auto pattern = static_cast<std::uint32_t>(value);
    if (bigEndian && width == 2) pattern = Swap16(static_cast<std::uint16_t>(pattern));
    if (bigEndian && width == 4) pattern = Swap32(pattern);
    std::vector<Byte> bytes(static_cast<std::size_t>(std::max(width, 0)));
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i)
        bytes[i] = static_cast<Byte>(pattern >> (8 * i));
    return bytes;
}

std::int32_t ReadFieldInteger(const TFilerTarget& target, std::int64_t address, std::int32_t width,
                              bool bigEndian) {
    if (width < 1 || width > 4 || !FieldInRange(target, address, width)) return 0;
    std::uint32_t pattern = 0;
    const std::vector<Byte> bytes = ReadField(target, address, width);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        pattern |= std::uint32_t{bytes[i]} << (8 * i);
    if (bigEndian && width == 2) pattern = Swap16(static_cast<std::uint16_t>(pattern));
    if (bigEndian && width == 4) pattern = Swap32(pattern);
    return static_cast<std::int32_t>(pattern);
}

bool WriteFieldInteger(TFilerTarget& target, std::int64_t address, std::int32_t width,
                       bool bigEndian, std::int32_t value) {
    if (!FieldInRange(target, address, width)) return false;
    return target.OverwriteInPlace(IntegerBytes(value, width, bigEndian),
                                   static_cast<Address>(address));
}

std::string ReadFieldText(const TFilerTarget& target, std::int64_t address, std::int32_t length) {
    if (!FieldInRange(target, address, length)) return {};
    const std::vector<Byte> bytes = ReadField(target, address, length);
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

bool WriteFieldText(TFilerTarget& target, std::int64_t address, std::int32_t length,
                    std::string_view text, Byte pad) {
    if (!FieldInRange(target, address, length)) return false;
    std::vector<Byte> bytes(static_cast<std::size_t>(length), pad);
    std::copy_n(text.begin(), std::min(text.size(), bytes.size()), bytes.begin());
    return target.OverwriteInPlace(bytes, static_cast<Address>(address));
}

bool ReadFieldBit(const TFilerTarget& target, std::int64_t address, int bit) {
    if (!FieldInRange(target, address, 1)) return false;
    return (ReadField(target, address, 1)[0] >> (bit & 7)) & 1u;
}

bool WriteFieldBit(TFilerTarget& target, std::int64_t address, int bit, bool on) {
    if (!FieldInRange(target, address, 1)) return false;
    Byte byte = ReadField(target, address, 1)[0];
    const auto mask = static_cast<Byte>(1u << (bit & 7));
    byte = on ? static_cast<Byte>(byte | mask) : static_cast<Byte>(byte & ~mask);
    return target.OverwriteInPlace(std::span<const Byte>(&byte, 1), static_cast<Address>(address));
}

} // namespace mv
