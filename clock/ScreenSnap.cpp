#include "clock/ScreenSnap.h"

#include <algorithm>

#include <cstdlib>

QPoint SnapToWorkArea(const QRect& window, const QRect& workArea, int distance)
{
    QPoint topLeft = window.topLeft();
    const int right = window.x() + window.width();
    const int bottom = window.y() + window.height();
    const int areaRight = workArea.x() + workArea.width();
    const int areaBottom = workArea.y() + workArea.height();
    if (std::abs(window.x() - workArea.x()) < distance)
        topLeft.setX(workArea.x());
    else if (std::abs(right - areaRight) < distance)
        topLeft.setX(areaRight - window.width());
    if (std::abs(window.y() - workArea.y()) < distance)
        topLeft.setY(workArea.y());
    else if (std::abs(bottom - areaBottom) < distance)
        topLeft.setY(areaBottom - window.height());
    return topLeft;
}

QPoint FirstStartPosition(const QRect& workArea, int side)
{
    constexpr int kMargin = 16;
    return QPoint(std::max(workArea.left(), workArea.right() + 1 - side - kMargin), workArea.top() + kMargin);
}
