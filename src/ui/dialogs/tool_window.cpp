#include "ui/dialogs/tool_window.h"

#include "core/dialogs/tool_placement.h"
#include "platform/window_frame.h"
#include "platform/work_area.h"

#include <QtGui/QMoveEvent>

namespace mv {

namespace {

TScreenPoint ScreenPoint(QPoint point) {
    return {point.x(), point.y()};
}

} // namespace

TToolWindow::TToolWindow(QWidget* owner)
    : QDialog(owner, Qt::Tool), followOffset_(InitialFollowOffset.X, InitialFollowOffset.Y) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

void TToolWindow::PlaceByOwner() {
    const QWidget* owner = parentWidget();
    if (owner == nullptr) return;
    const TWindowFrame frame(*this);
    const QSize size = frame.Size();
    const TScreenPoint place =
        ToolPlace(ScreenPoint(owner->pos()), ScreenPoint(followOffset_), size.width(),
                  size.height(), ToScreenRect(WorkAreaOf(owner)));
    placed_ = {place.X, place.Y};
    frame.MoveTo(placed_);
}

void TToolWindow::OwnerMoved(bool follow) {
    if (follow) {
        PlaceByOwner();
    } else if (const QWidget* owner = parentWidget()) {
        followOffset_ = pos() - owner->pos();
    }
}

void TToolWindow::ShowTool() {
    adjustSize();
    PlaceByOwner();
    show();
    TakeKeyboard();
}

void TToolWindow::TakeKeyboard() {
    raise();
    activateWindow();
}

void TToolWindow::HideWithOwner() {
    if (!isVisible()) return;
    hiddenWithOwner_ = true;
    hide();
}

void TToolWindow::ShowWithOwner() {
    if (!hiddenWithOwner_) return;
    hiddenWithOwner_ = false;
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void TToolWindow::TakeCaret(const TCaretFeed&) {}
void TToolWindow::TakeStatus(const TStatusFeed&) {}

void TToolWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    const QWidget* owner = parentWidget();
    // The window system reports moves late, so the window's own placing is told by its place.
    if (pos() != placed_ && isVisible() && owner != nullptr) followOffset_ = pos() - owner->pos();
}

} // namespace mv
