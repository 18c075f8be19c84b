#include "core/dialogs/tool_placement.h"

namespace mv {

TScreenPoint ToolPlace(TScreenPoint ownerTopLeft, TScreenPoint followOffset, int width, int height,
                       const TScreenRect& workArea) {
    const TScreenRect wanted{ownerTopLeft.X + followOffset.X, ownerTopLeft.Y + followOffset.Y,
                             width, height};
    return PulledIntoWorkArea(wanted, workArea);
}

TScreenPoint FollowOffsetOf(TScreenPoint ownerTopLeft, TScreenPoint toolTopLeft) {
    return {toolTopLeft.X - ownerTopLeft.X, toolTopLeft.Y - ownerTopLeft.Y};
}

} // namespace mv
