#include "ui/binaryview/column_strip.h"

#include "platform/system_color.h"
#include "ui/binaryview/raised_cell.h"

#include <QtGui/QPainter>

namespace mv {

TColumnStrip::TColumnStrip(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TColumnStrip::SetColumnWidths(const TViewLayout::TColumnWidths& widths) {
    if (widths == widths_) return;
    widths_ = widths;
    update();
}

void TColumnStrip::SetCaretColumn(int byteColumn) {
    if (byteColumn == caretColumn_) return;
    caretColumn_ = byteColumn;
    update();
}

void TColumnStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), ToQColor(clBtnFace, pal));
    int left = 0;
    for (int column = 0; column < TViewLayout::ColumnCount; ++column) {
        const int width = widths_[static_cast<std::size_t>(column)];
        const QRect cell(left, 0, width, height());
        left += width;
        if (width <= 0 || !HasCell(column)) continue;
        const bool caret = column == caretColumn_ + 1;
        DrawRaisedCell(painter, cell, pal, ToQColor(caret ? clHighlight : clBtnFace, pal));
        painter.setPen(ToQColor(caret ? clHighlightText : clWindowText, pal));
        painter.drawText(cell, Qt::AlignCenter, Caption(column));
    }
}

} // namespace mv
