#pragma once

#include <QtCore/QRect>
#include <QtGui/QColor>
#include <QtGui/QPainter>

namespace mv {

// A raised cell as the header, the footer and the address and SUM columns draw it: the face
// filled, a highlight line along the top and the left, a shadow line along the right and the
// bottom.
void DrawRaisedCell(QPainter& painter, const QRect& rect, const QPalette& palette);
// The same with a face of its own colour (the caret's row or column).
void DrawRaisedCell(QPainter& painter, const QRect& rect, const QPalette& palette,
                    const QColor& face);

} // namespace mv
