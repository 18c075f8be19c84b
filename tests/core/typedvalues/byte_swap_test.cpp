#include "core/typedvalues/byte_swap.h"

namespace mv {

static_assert(Swap16(0x1234) == 0x3412);
static_assert(Swap32(0x12345678) == 0x78563412); // four distinct bytes: no two can trade places
static_assert(Swap32(0xFF000080) == 0x800000FF); // top bits must not smear when shifted

} // namespace mv
