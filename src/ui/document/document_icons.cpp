#include "ui/document/document_icons.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPixmap>

#include <functional>
#include <map>
#include <string_view>

namespace mv {
namespace {

constexpr int IconSize = 16;

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

// Each icon is made once and shared by every window: a fresh pixmap per window would leave
// its scaled copies in Qt's pixmap cache for every window ever opened. Never destroyed, so
// that no icon outlives the application in a static destructor.
QIcon Themed(std::string_view name, const std::function<void(QPainter&)>& draw) {
    static auto* made = new std::map<std::string_view, QIcon>;
    if (const auto found = made->find(name); found != made->end()) return found->second;
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name.data(), name.size()));
    return made->emplace(name, themed.isNull() ? Drawn(draw) : themed).first->second;
}

void DrawSheet(QPainter& painter, const QRectF& sheet) {
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QPen(QColor(120, 120, 200), 1));
    for (qreal y = sheet.top() + 3; y < sheet.bottom() - 1; y += 2)
        painter.drawLine(QPointF(sheet.left() + 2, y), QPointF(sheet.right() - 2, y));
}

} // namespace

QIcon CopyIcon() {
    return Themed("edit-copy", [](QPainter& painter) {
        DrawSheet(painter, QRectF(1.5, 1.5, 8, 10));
        DrawSheet(painter, QRectF(6.5, 4.5, 8, 10));
    });
}

QIcon GaugeSwitchIcon() {
    return Themed("view-refresh", [](QPainter& painter) {
        const QColor green(30, 130, 60);
        painter.setPen(QPen(green, 1.6));
        painter.setBrush(Qt::NoBrush);
        const QRectF circle(3, 3, 10, 10);
        painter.drawArc(circle, 30 * 16, 150 * 16);
        painter.drawArc(circle, 210 * 16, 150 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(green);
        // Arrow heads at the ends of both arcs, pointing along the turn.
        painter.drawPolygon(QPolygonF({QPointF(0.5, 8), QPointF(5.5, 8), QPointF(3, 11)}));
        painter.drawPolygon(QPolygonF({QPointF(10.5, 8), QPointF(15.5, 8), QPointF(13, 5)}));
    });
}

} // namespace mv
