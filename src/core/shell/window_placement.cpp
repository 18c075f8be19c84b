#include "core/shell/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace mv {

TScreenPoint CentredIn(const TScreenRect& outer, int width, int height) {
    return {outer.Left + (outer.Width - width) / 2, outer.Top + (outer.Height - height) / 2};
}

namespace {

// One axis of PulledIntoWorkArea, wide enough that a stored place from a damaged profile
// cannot overflow: the far edge first, then the near edge, which wins for a frame too large.
int PulledIn(std::int64_t start, std::int64_t length, std::int64_t areaStart,
             std::int64_t areaEnd) {
    if (start + length > areaEnd) start = areaEnd - length;
    if (start < areaStart) start = areaStart;
    return static_cast<int>(std::min(start, areaEnd));
}

} // namespace

TScreenPoint PulledIntoWorkArea(const TScreenRect& frame, const TScreenRect& workArea) {
    return {PulledIn(frame.Left, frame.Width, workArea.Left, workArea.Right()),
            PulledIn(frame.Top, frame.Height, workArea.Top, workArea.Bottom())};
}

TScreenPoint DialogPlace(int width, int height, const TScreenRect* owner,
                         const TScreenRect& workArea) {
    if (owner == nullptr) return CentredIn(workArea, width, height);
    const TScreenPoint centred = CentredIn(*owner, width, height);
    return PulledIntoWorkArea({centred.X, centred.Y, width, height}, workArea);
}

} // namespace mv
