#pragma once

#include "core/shell/window_placement.h"

#include <span>

namespace mv {

// A document window's place as its profile keeps it: the frame's top-left corner and the size
// of the client area.
struct TWindowPlace {
    int Left = 0;
    int Top = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;

    friend bool operator==(const TWindowPlace&, const TWindowPlace&) = default;
};

// Where a window with a stored place opens on the screens there are now. The profile may come
// from another screen layout (a monitor since removed, a larger resolution) or be damaged, and a
// window must never open where the user cannot reach it. The window goes to the work area that
// holds most of its frame, or to the first (primary) one when none holds any of it; a frame
// larger than that area is shrunk to it, and the frame is then moved inside it as a dialog is.
// `frameWidth` and `frameHeight` are what the frame adds to the client area; `workAreas`
// must hold at least one area, else the place is answered unchanged.
[[nodiscard]] TWindowPlace RestoredPlace(const TWindowPlace& stored, int frameWidth,
                                         int frameHeight, std::span<const TScreenRect> workAreas);

} // namespace mv
