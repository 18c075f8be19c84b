#pragma once

#include <QtCore/QMargins>
#include <QtCore/QPoint>

#include <optional>

class QWidget;

namespace mv {

// The frame the window manager will draw around a top-level window that has not been shown
// yet, asked of the manager itself; nothing where the desktop cannot say (no X11, or a
// manager without frame extents). Creates the window's native window when it asks.
std::optional<QMargins> FrameBeforeShow(QWidget& window);

// Puts a window whose native window exists, not yet shown, so that the frame `frame` around
// it has its top-left corner at `framePlace`. The client area is placed itself, which every
// window manager honours, rather than leaving the frame's offset to Qt and the manager, which
// both add it under X11.
void PlaceFrameAt(QWidget& window, QPoint framePlace, const QMargins& frame);

} // namespace mv
