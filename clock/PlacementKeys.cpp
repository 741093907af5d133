#include "clock/PlacementKeys.h"

#include "platform/raster/Rounding.h"

#include <Qt>

namespace PlacementKeys {

namespace {

constexpr int kStep = 5;
constexpr int kSizeStep = 10;
constexpr int kMinimumSize = 50;
// Corners and edges put the window one pixel beyond the work area's left,
// top and right edges.
constexpr int kNearEdge = -1;

} // namespace

int VirtualKeyOf(int qtKey, bool onKeypad)
{
    switch (qtKey) {
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_End: return End;
    case Qt::Key_Home: return Home;
    case Qt::Key_Left: return Left;
    case Qt::Key_Up: return Up;
    case Qt::Key_Right: return Right;
    case Qt::Key_Down: return Down;
    case Qt::Key_Plus: return onKeypad ? NumPadPlus : 0;
    case Qt::Key_Minus: return onKeypad ? NumPadMinus : 0;
    default:
        if (onKeypad && qtKey >= Qt::Key_1 && qtKey <= Qt::Key_9)
            return NumPad1 + (qtKey - Qt::Key_1);
        return 0;
    }
}

Action ForKey(int virtualKey, QPoint position, int side, const QRect& workArea)
{
    // Worked out as if the work area started at (0, 0), then moved to where
    // it starts.
    position -= workArea.topLeft();
    const int rightEdge = workArea.width() - side + 1;
    const int bottomEdge = workArea.height() - side;
    const double half = side / 2.0;
    QPoint target = position;
    switch (virtualKey) {
    case Home:
    case NumPad7:
        target = QPoint(kNearEdge, kNearEdge);
        break;
    case NumPad8:
        target.setY(kNearEdge);
        break;
    case PageUp:
    case NumPad9:
        target = QPoint(rightEdge, kNearEdge);
        break;
    case NumPad4:
        target.setX(kNearEdge);
        break;
    case NumPad5:
        target = QPoint(int(RoundHalfEven((workArea.width() - side) / 2.0)), int(RoundHalfEven((workArea.height() - side) / 2.0)));
        break;
    case NumPad6:
        target.setX(rightEdge);
        break;
    case End:
    case NumPad1:
        target = QPoint(0, bottomEdge);
        break;
    case NumPad2:
        target.setY(bottomEdge);
        break;
    case PageDown:
    case NumPad3:
        target = QPoint(rightEdge, bottomEdge);
        break;
    case Left:
        if (position.x() > -half)
            target.rx() -= kStep;
        break;
    case Up:
        if (position.y() > -half)
            target.ry() -= kStep;
        break;
    case Right:
        if (position.x() < workArea.width() - half)
            target.rx() += kStep;
        break;
    case Down:
        if (position.y() < workArea.height() - half)
            target.ry() += kStep;
        break;
    case NumPadPlus:
        return { std::nullopt, side < workArea.height() ? kSizeStep : 0 };
    case NumPadMinus:
        return { std::nullopt, side > kMinimumSize ? -kSizeStep : 0 };
    default:
        return {};
    }
    return { target + workArea.topLeft(), 0 };
}

} // namespace PlacementKeys
