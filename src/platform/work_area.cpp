#include "platform/work_area.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>

namespace mv {

TScreenRect ToScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QPoint KeptInside(const QRect& frame, const QRect& workArea) {
    const TScreenPoint place = PulledIntoWorkArea(ToScreenRect(frame), ToScreenRect(workArea));
    return {place.X, place.Y};
}

QRect WorkAreaOf(const QWidget* window) {
    const QScreen* screen = window != nullptr ? window->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

std::vector<TScreenRect> WorkAreas() {
    std::vector<TScreenRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) areas.push_back(ToScreenRect(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary) areas.push_back(ToScreenRect(screen->availableGeometry()));
    return areas;
}

QPoint DialogPlaceOnScreen(QSize size, const QWidget* owner) {
    const QSize frame =
        owner != nullptr ? size + (owner->frameGeometry().size() - owner->size()) : size;
    const TScreenRect ownerFrame =
        owner != nullptr ? ToScreenRect(owner->frameGeometry()) : TScreenRect{};
    const TScreenPoint place =
        DialogPlace(frame.width(), frame.height(), owner != nullptr ? &ownerFrame : nullptr,
                    ToScreenRect(WorkAreaOf(owner)));
    return {place.X, place.Y};
}

} // namespace mv
