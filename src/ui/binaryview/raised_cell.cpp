#include "ui/binaryview/raised_cell.h"

#include "platform/system_color.h"

namespace mv {

void DrawRaisedCell(QPainter& painter, const QRect& rect, const QPalette& palette) {
    DrawRaisedCell(painter, rect, palette, ToQColor(clBtnFace, palette));
}

void DrawRaisedCell(QPainter& painter, const QRect& rect, const QPalette& palette,
                    const QColor& face) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(rect, face);
    const QColor light = ToQColor(clBtnHighlight, palette);
    const QColor shadow = ToQColor(clBtnShadow, palette);
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), light);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), light);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), shadow);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), shadow);
}

} // namespace mv
