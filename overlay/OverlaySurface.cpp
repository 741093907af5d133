#include "overlay/OverlaySurface.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

// A region of device pixels as the desktop pixels that cover it.
QRegion DesktopRegion(const QRegion& device, double ratio)
{
    if (ratio == 1)
        return device;
    QRegion desktop;
    for (const QRect& rect : device)
        desktop += QRectF(rect.x() / ratio, rect.y() / ratio, rect.width() / ratio, rect.height() / ratio).toAlignedRect();
    return desktop;
}

} // namespace

OverlaySurface::OverlaySurface(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Chart1"));
    setMinimumSize(kMinimumSide, kMinimumSide);
    // Every pixel is painted from the composed image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FScene.Color = FromQColor(palette().color(QPalette::Button));
    FPresentTimer.setSingleShot(true);
    FPresentTimer.setInterval(0);
    connect(&FPresentTimer, &QTimer::timeout, this, &OverlaySurface::PresentChanges);
    hide();
}

OverlayScene& OverlaySurface::scene()
{
    MarkChanged();
    return FScene;
}

QSize OverlaySurface::PictureSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
}

const QImage& OverlaySurface::ComposedImage()
{
    FScene.Size = PictureSize();
    FScene.PixelRatio = devicePixelRatioF();
    return FComposer.Compose(FScene);
}

void OverlaySurface::MarkChanged()
{
    if (!FPresentTimer.isActive())
        FPresentTimer.start();
}

void OverlaySurface::PresentChanges()
{
    ComposedImage();
    update(DesktopRegion(FComposer.TakeChangedRegion(), FScene.PixelRatio));
}

void OverlaySurface::Refresh()
{
    FPresentTimer.stop();
    ComposedImage();
    repaint(DesktopRegion(FComposer.TakeChangedRegion(), FScene.PixelRatio));
}

void OverlaySurface::paintEvent(QPaintEvent* event)
{
    const QImage& image = ComposedImage();
    // A change composed here but lying outside this paint is presented by a
    // paint of its own.
    const QRegion elsewhere = DesktopRegion(FComposer.TakeChangedRegion(), FScene.PixelRatio) - event->region();
    if (!elsewhere.isEmpty())
        update(elsewhere);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}
