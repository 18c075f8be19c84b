#include "core/dialogs/jump_target.h"

#include <algorithm>
#include <limits>

namespace mv {

namespace {

constexpr std::int64_t Farthest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Nearest = std::numeric_limits<std::int64_t>::min();

// A number past the largest address goes as far as that one: both lie outside any data.
std::int64_t Held(std::uint64_t value) {
    return static_cast<std::int64_t>(std::min(value, std::uint64_t{Farthest}));
}

} // namespace

TIntPattern JumpPattern(ByteCount dataSize) {
    return dataSize < (std::int64_t{1} << 32) ? TIntPattern::Bits32 : TIntPattern::Bits64;
}

std::int64_t AddressJumpTarget(TAddressMode kind, Address caret, std::uint64_t value) {
    switch (kind) {
    case TAddressMode::RelativeDown:
        return RelativeJumpTarget(caret, Held(value));
    case TAddressMode::RelativeUp:
        return RelativeJumpTarget(caret, -Held(value));
    case TAddressMode::Absolute:
        break;
    }
    return Held(value);
}

std::int64_t RelativeJumpDistance(std::uint64_t value, bool upwards) {
    return upwards ? -Held(value) : Held(value);
}

std::int64_t RelativeJumpTarget(Address caret, std::int64_t distance) {
    if (distance > 0 && caret > Farthest - distance) return Farthest;
    if (distance < 0 && caret < Nearest - distance) return Nearest;
    return caret + distance;
}

TJumpCheck CheckJumpTarget(std::int64_t target, Address dataSize) {
    if (target < 0) return {0, JumpBeforeStartWarning};
    if (target > dataSize) return {dataSize, JumpPastEndWarning};
    return {static_cast<Address>(target), {}};
}

} // namespace mv
