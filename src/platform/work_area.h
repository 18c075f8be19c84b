#pragma once

#include <QtCore/QPoint>
#include <QtCore/QRect>

namespace mv {

// Where a window of frame `frame` goes so that it lies inside `workArea`: a right edge past
// the area moves it left, then a left edge before the area moves it right; the same for the
// bottom and the top, so a window larger than the area keeps its top-left corner inside.
[[nodiscard]] QPoint KeptInside(const QRect& frame, const QRect& workArea);

} // namespace mv
