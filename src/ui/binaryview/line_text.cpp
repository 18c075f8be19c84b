#include "ui/binaryview/line_text.h"

#include <algorithm>

namespace mv {

namespace {

constexpr char LowerDigits[] = "0123456789abcdef";

} // namespace

QString AddressText(std::int64_t lineAddress, int digits) {
    return QStringLiteral("%1").arg(static_cast<std::uint64_t>(lineAddress), digits, 16,
                                    QLatin1Char('0'));
}

QString FooterText(Byte columnSum) {
    const QChar text[2] = {QLatin1Char(LowerDigits[columnSum >> 4]),
                           QLatin1Char(LowerDigits[columnSum & 15])};
    return QString(text, 2);
}

Byte LineSum(std::span<const Byte> existingBytes, std::int64_t lineAddress, TCheckSum form) {
    unsigned sum = 0;
    for (const Byte b : existingBytes)
        sum += b;
    if (form == TCheckSum::Ascii) {
        for (auto address = static_cast<std::uint64_t>(lineAddress); address != 0; address >>= 8)
            sum += address & 0xFF;
    }
    return static_cast<Byte>(sum);
}

std::array<Byte, 16> ColumnSums(std::span<const Byte> visible, std::int64_t firstAddress,
                                std::int64_t size) {
    std::array<Byte, 16> sums{};
    const std::int64_t existing =
        std::clamp<std::int64_t>(size - firstAddress, 0, std::ssize(visible));
    for (std::int64_t i = 0; i < existing; ++i)
        sums[static_cast<std::size_t>(i % 16)] += visible[static_cast<std::size_t>(i)];
    return sums;
}

} // namespace mv
