#include "core/probe/guid_text.h"

#include "core/probe/endian_bytes.h"

#include <array>
#include <cstdio>

namespace mv {

std::string ShowGuid(std::span<const Byte> bytes, std::endian) {
    std::array<char, 40> text;
    std::snprintf(
        text.data(), text.size(), "{%08llX-%04llX-%04llX-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        static_cast<unsigned long long>(ReadUnsigned(bytes, 4, std::endian::little)),
        static_cast<unsigned long long>(ReadUnsigned(bytes.subspan(4), 2, std::endian::little)),
        static_cast<unsigned long long>(ReadUnsigned(bytes.subspan(6), 2, std::endian::little)),
        bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text.data();
}

} // namespace mv
