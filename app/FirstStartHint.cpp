#include "app/FirstStartHint.h"

#include <QMouseEvent>

#include <algorithm>

namespace {

constexpr int kGap = 6;

} // namespace

FirstStartHint::FirstStartHint(QWidget& clock)
    : QLabel(tr("Drag to move  \u00B7  Right-click for options  \u00B7  M hides      \u2715"), &clock,
          Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("lblFirstStartHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setToolTip(tr("Click to close this hint"));
    setMargin(8);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    adjustSize();
}

void FirstStartHint::placeBeside(const QRect& clock, const QRect& workArea)
{
    const int below = clock.bottom() + 1 + kGap;
    const int top = below + height() <= workArea.bottom() + 1 ? below : clock.top() - kGap - height();
    const int left = std::clamp(clock.center().x() - width() / 2, workArea.left(), workArea.right() + 1 - width());
    move(left, std::max(top, workArea.top()));
}

void FirstStartHint::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit dismissed();
        close();
    }
}
