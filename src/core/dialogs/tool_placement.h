#pragma once

#include "core/shell/window_placement.h"

namespace mv {

// Where a tool window starts relative to its document window's top-left corner.
inline constexpr TScreenPoint InitialFollowOffset{32, 32};

// Where a tool window of the given frame size stands: its owner's top-left corner plus the
// offset, held inside the work area (a right or bottom edge past the area moves it back, then
// a left or top edge before the area moves it forward).
[[nodiscard]] TScreenPoint ToolPlace(TScreenPoint ownerTopLeft, TScreenPoint followOffset,
                                     int width, int height, const TScreenRect& workArea);

// The offset a tool window keeps from where it stands now.
[[nodiscard]] TScreenPoint FollowOffsetOf(TScreenPoint ownerTopLeft, TScreenPoint toolTopLeft);

} // namespace mv
