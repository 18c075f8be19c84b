#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

enum class TNumberCheck { Ok, NotANumber, OutOfRange };

// Rewrites an integer parameter in decimal. Accepted: decimal digits up to 2147483647, or
// "0x" / "0X" and hexadecimal digits read as a 32-bit two's-complement pattern (so
// 0xFFFFFFFF becomes "-1"); an empty text and a bare "0x" are 0. No sign, blank, "$" or
// "H" is accepted. On failure the text is unchanged; OutOfRange means digits that are
// well formed but need more than 32 bits.
[[nodiscard]] TNumberCheck NormalizeNumber(std::string& text);

// The general integer conversion: leading spaces, then an optional sign and decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X" (no sign) taken as a 32-bit
// pattern. Nothing when the text is anything else or the value needs more than 32 bits.
[[nodiscard]] std::optional<std::int32_t> ToInteger(std::string_view text);

} // namespace mv
