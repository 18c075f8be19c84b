#pragma once

#include "core/datastore/address.h"
#include "core/filer/filer_target.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The data operations shared by the field editors and the write commands of a run.
// Addresses and widths are 64-bit so that a base address plus an address past the 32-bit
// range is simply out of range, never wrapped round to a small or negative address.

// All `width` (at least 1) bytes at the address lie inside the data.
[[nodiscard]] bool FieldInRange(const TFilerTarget& target, std::int64_t address,
                                std::int64_t width);

// `width` bytes holding the value's little-endian form, after a big-endian value has been
// swapped (Swap16 for width 2, Swap32 for width 4); wider values are cut, and bytes past
// the fourth are 0.
[[nodiscard]] std::vector<Byte> IntegerBytes(std::int32_t value, std::int32_t width,
                                             bool bigEndian);
// The reverse for 1, 2 or 4 bytes: widths 1 and 2 unsigned, width 4 signed.
[[nodiscard]] std::int32_t IntegerOfBytes(std::span<const Byte> bytes, bool bigEndian);
// False, writing nothing, when out of range or refused.
bool WriteFieldInteger(TFilerTarget& target, std::int64_t address, std::int32_t width,
                       bool bigEndian, std::int32_t value);

// A string field's bytes as shown (Shift JIS): pairs kept, 0x20-0x7E and 0xA1-0xDF kept,
// any other byte a space, trailing spaces removed.
[[nodiscard]] std::string TextOfBytes(std::span<const Byte> bytes);
// The text cut to `length` bytes or padded to it with `pad`.
[[nodiscard]] std::vector<Byte> TextBytes(std::string_view text, std::int32_t length, Byte pad);
// Writes TextBytes.
bool WriteFieldText(TFilerTarget& target, std::int64_t address, std::int32_t length,
                    std::string_view text, Byte pad);

// Bit 0 is the least significant.
[[nodiscard]] Byte WithBit(Byte byte, int bit, bool on);
bool WriteFieldBit(TFilerTarget& target, std::int64_t address, int bit, bool on);

} // namespace mv
