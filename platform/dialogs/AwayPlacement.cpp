#include "platform/dialogs/AwayPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// The start of a span of length within the span [first, first + available):
// wanted, moved inside as far as it fits, else the span's start.
int KeptInside(int wanted, int length, int first, int available)
{
    return std::max(first, std::min(wanted, first + available - length));
}

} // namespace

QPoint PlaceAwayFrom(const QRect& owner, QSize size, const QRect& area)
{
    const bool ownerOnTheLeft = 2 * (owner.left() - area.left()) + owner.width() < area.width();
    const int x = ownerOnTheLeft ? area.left() + area.width() - size.width() : area.left();
    return { KeptInside(x, size.width(), area.left(), area.width()),
        KeptInside(owner.top(), size.height(), area.top(), area.height()) };
}

void ShowAwayFromParent(QWidget& window)
{
    if (QWidget* parent = window.parentWidget(); parent && !window.isVisible())
        window.move(PlaceAwayFrom(parent->frameGeometry(), window.frameGeometry().size(), parent->screen()->availableGeometry()));
    window.show();
    window.raise();
    window.activateWindow();
}
