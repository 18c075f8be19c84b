#pragma once

#include "core/datastore/address.h"
#include "core/typedvalues/int_input_model.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace mv {

// The bits a jump tool reads a typed number by: the 32 of the typed values while the data is
// below 4 GiB, 64 from there, so that every address and the end position can be typed.
[[nodiscard]] TIntPattern JumpPattern(ByteCount dataSize);

// The address jump's target: the number itself, or the caret moved forwards or backwards by
// it. The number is the pattern the user typed, read unsigned.
[[nodiscard]] std::int64_t AddressJumpTarget(TAddressMode kind, Address caret, std::uint64_t value);

// The relative jump's signed distance: the typed pattern read unsigned, negated upwards.
[[nodiscard]] std::int64_t RelativeJumpDistance(std::uint64_t value, bool upwards);
// caret + distance. A sum beyond the range of 64-bit addresses stays at its edge, so a long
// jump never wraps round to the other end of the file.
[[nodiscard]] std::int64_t RelativeJumpTarget(Address caret, std::int64_t distance);

inline constexpr std::string_view JumpBeforeStartWarning =
    "指定のアドレスがファイル先頭を越えています.\r\nファイル先頭にジャンプします.";
inline constexpr std::string_view JumpPastEndWarning =
    "指定のアドレスがファイル末尾を越えています.\r\nファイル末尾にジャンプします.";

// CheckJumpTarget's verdict: a target within 0 to the data size (the end position) is taken
// as it is; one outside is pulled to the nearer end once the user agrees to the warning.
struct TJumpCheck {
    Address Target = 0;
    std::string_view Warning; // empty when the target needs no question
};

[[nodiscard]] TJumpCheck CheckJumpTarget(std::int64_t target, Address dataSize);

} // namespace mv
