#include "core/dialogs/jump_target.h"

namespace mv {

std::int64_t AddressJumpTarget(TAddressMode kind, Address caret, std::uint32_t value) {
    switch (kind) {
    case TAddressMode::RelativeDown:
        return std::int64_t{caret} + value;
    case TAddressMode::RelativeUp:
        return std::int64_t{caret} - value;
    case TAddressMode::Absolute:
        break;
    }
    return value;
}

std::int64_t RelativeJumpDistance(std::uint32_t value, bool upwards) {
    return upwards ? -std::int64_t{value} : std::int64_t{value};
}

TJumpCheck CheckJumpTarget(std::int64_t target, Address dataSize) {
    if (target < 0) return {0, JumpBeforeStartWarning};
    if (target > dataSize) return {dataSize, JumpPastEndWarning};
    return {static_cast<Address>(target), {}};
}

} // namespace mv
