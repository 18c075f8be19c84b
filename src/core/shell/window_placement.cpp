#include "core/shell/window_placement.h"

namespace mv {

TScreenPoint CentredIn(const TScreenRect& outer, int width, int height) {
    return {outer.Left + (outer.Width - width) / 2, outer.Top + (outer.Height - height) / 2};
}

TScreenPoint PulledIntoWorkArea(const TScreenRect& frame, const TScreenRect& workArea) {
    TScreenPoint place{frame.Left, frame.Top};
    if (place.Y + frame.Height > workArea.Bottom()) place.Y = workArea.Bottom() - frame.Height;
    if (place.X + frame.Width > workArea.Right()) place.X = workArea.Right() - frame.Width;
    if (place.Y < workArea.Top) place.Y = workArea.Top;
    if (place.X < workArea.Left) place.X = workArea.Left;
    return place;
}

TScreenPoint DialogPlace(int width, int height, const TScreenRect* owner,
                         const TScreenRect& workArea) {
    if (owner == nullptr) return CentredIn(workArea, width, height);
    const TScreenPoint centred = CentredIn(*owner, width, height);
    return PulledIntoWorkArea({centred.X, centred.Y, width, height}, workArea);
}

} // namespace mv
