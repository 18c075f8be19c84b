#pragma once

#include "core/shell/window_placement.h"

#include <QtCore/QPoint>
#include <QtCore/QRect>

#include <vector>

class QWidget;

namespace mv {

[[nodiscard]] TScreenRect ToScreenRect(const QRect& rect);

// Where a window of frame `frame` goes so that it lies inside `workArea`: a right edge past
// the area moves it left, then a left edge before the area moves it right; the same for the
// bottom and the top, so a window larger than the area keeps its top-left corner inside.
[[nodiscard]] QPoint KeptInside(const QRect& frame, const QRect& workArea);

// The work area of the screen that shows `window`, or of the primary screen without one.
[[nodiscard]] QRect WorkAreaOf(const QWidget* window);
// The work areas of every screen, the primary screen's first.
[[nodiscard]] std::vector<TScreenRect> WorkAreas();

// Where a dialog of client size `size` goes: centred over `owner`'s frame and kept inside the
// work area, or centred on the work area without an owner. The dialog's frame is taken to be
// as thick as the owner's.
[[nodiscard]] QPoint DialogPlaceOnScreen(QSize size, const QWidget* owner);

} // namespace mv
