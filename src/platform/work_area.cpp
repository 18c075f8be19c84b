#include "platform/work_area.h"

namespace mv {

QPoint KeptInside(const QRect& frame, const QRect& workArea) {
    int x = frame.x();
    int y = frame.y();
    if (x + frame.width() > workArea.x() + workArea.width())
        x = workArea.x() + workArea.width() - frame.width();
    if (x < workArea.x()) x = workArea.x();
    if (y + frame.height() > workArea.y() + workArea.height())
        y = workArea.y() + workArea.height() - frame.height();
    if (y < workArea.y()) y = workArea.y();
    return {x, y};
}

} // namespace mv
