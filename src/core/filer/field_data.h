#pragma once

#include "core/datastore/address.h"
#include "core/filer/filer_target.h"

#include <cstdint>
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

// A field's integer: widths 1 and 2 unsigned, width 4 signed. 0 when out of range.
[[nodiscard]] std::int32_t ReadFieldInteger(const TFilerTarget& target, std::int64_t address,
                                            std::int32_t width, bool bigEndian);
// False, writing nothing, when out of range or refused.
bool WriteFieldInteger(TFilerTarget& target, std::int64_t address, std::int32_t width,
                       bool bigEndian, std::int32_t value);

// A string field as shown: Shift JIS pairs kept, 0x20-0x7E and 0xA1-0xDF kept, any other
// byte a space, trailing spaces and control characters removed. Empty when out of range.
[[nodiscard]] std::string ReadFieldText(const TFilerTarget& target, std::int64_t address,
                                        std::int32_t length);
// Writes the text cut to `length` bytes or padded to it with `pad`.
bool WriteFieldText(TFilerTarget& target, std::int64_t address, std::int32_t length,
                    std::string_view text, Byte pad);

// Bit 0 is the least significant. False when out of range.
[[nodiscard]] bool ReadFieldBit(const TFilerTarget& target, std::int64_t address, int bit);
bool WriteFieldBit(TFilerTarget& target, std::int64_t address, int bit, bool on);

} // namespace mv
