#pragma once

#include <QtCore/QMargins>
#include <QtCore/QPoint>
#include <QtCore/QSize>

#include <optional>

class QWidget;

namespace mv {

// The frame the window manager will draw around a top-level window that has not been shown
// yet, asked of the manager itself; nothing where the desktop cannot say (no X11, or a
// manager without frame extents). Creates the window's native window when it asks.
std::optional<QMargins> FrameBeforeShow(QWidget& window);

// Puts a window, shown or not, so that the frame `frame` around it has its top-left corner at
// `framePlace`. The client area is placed itself, which every window manager honours, rather
// than leaving the frame's offset to Qt and the manager, which both add it under X11.
void PlaceFrameAt(QWidget& window, QPoint framePlace, const QMargins& frame);

// A top-level window's frame, for placing the window by its frame: a window shown before knows
// its frame; one not shown yet asks the window manager, so that its first place is not computed
// as if it had no frame at all. Where nobody can say, the window is taken without a frame.
class TWindowFrame {
public:
    explicit TWindowFrame(QWidget& window);
    // A frame known already, as another window of the same kind shows it; none: no frame.
    TWindowFrame(QWidget& window, std::optional<QMargins> frame) : window_(window), frame_(frame) {}

    [[nodiscard]] const std::optional<QMargins>& Margins() const { return frame_; }
    // The window's size with its frame.
    [[nodiscard]] QSize Size() const;
    // Puts the frame's top-left corner at `place`, shown or not.
    void MoveTo(QPoint place) const;

private:
    QWidget& window_;
    std::optional<QMargins> frame_;
};

} // namespace mv
