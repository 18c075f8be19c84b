#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"

#include <QtCore/QString>

#include <array>
#include <cstdint>
#include <span>

namespace mv {

// The texts of the view's lines and of the footer, and the sums they show.

// A line's first address in lower-case hexadecimal, `digits` wide.
[[nodiscard]] QString AddressText(std::int64_t lineAddress, int digits = 8);
// "%2.2x": a footer cell.
[[nodiscard]] QString FooterText(Byte columnSum);

// The SUM of a line's bytes that exist; the ASCII form adds the four bytes of the line's
// address (little endian) as well. Only the low 8 bits are shown.
[[nodiscard]] Byte LineSum(std::span<const Byte> existingBytes, std::int64_t lineAddress,
                           TCheckSum form);

// The 16 column sums of the visible bytes that exist: `visible` starts at `firstAddress`
// (a multiple of 16), bytes at or past `size` do not count.
[[nodiscard]] std::array<Byte, 16> ColumnSums(std::span<const Byte> visible,
                                              std::int64_t firstAddress, std::int64_t size);

} // namespace mv
