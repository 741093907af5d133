#include "overlay/OverlaySurface.h"

TOverlaySurface::TOverlaySurface(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Chart1"));
    setMinimumSize(kMinimumSide, kMinimumSide);
}
