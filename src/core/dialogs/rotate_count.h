#pragma once

#include <cstdint>
#include <string_view>

namespace mv {

// The n of "n ビットローテート" and "n バイトローテート": the count field's text as a 32-bit
// signed number; text that is none (empty, pasted junk, too large) counts as 0.
[[nodiscard]] std::int32_t RotateCount(std::string_view text);

// The bits to turn for that count: n bits, or n bytes of 8 bits.
[[nodiscard]] std::int64_t RotateBits(std::int32_t count, bool bytes);

// Whether the count field takes a typed character: the digits and the control characters
// (Backspace and the like); everything else is dropped.
[[nodiscard]] bool RotateCountAccepts(char32_t typed);

} // namespace mv
