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
    m_scene.Color = FromQColor(palette().color(QPalette::Button));
    m_presentTimer.setSingleShot(true);
    m_presentTimer.setInterval(0);
    connect(&m_presentTimer, &QTimer::timeout, this, &OverlaySurface::PresentChanges);
    hide();
}

OverlayScene& OverlaySurface::scene()
{
    MarkChanged();
    return m_scene;
}

QSize OverlaySurface::PictureSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
}

const QImage& OverlaySurface::ComposedImage()
{
    m_scene.Size = PictureSize();
    m_scene.PixelRatio = devicePixelRatioF();
    return m_composer.Compose(m_scene);
}

void OverlaySurface::MarkChanged()
{
    if (!m_presentTimer.isActive())
        m_presentTimer.start();
}

void OverlaySurface::PresentChanges()
{
    ComposedImage();
    update(DesktopRegion(m_composer.TakeChangedRegion(), m_scene.PixelRatio));
}

void OverlaySurface::Refresh()
{
    m_presentTimer.stop();
    ComposedImage();
    repaint(DesktopRegion(m_composer.TakeChangedRegion(), m_scene.PixelRatio));
}

void OverlaySurface::paintEvent(QPaintEvent* event)
{
    const QImage& image = ComposedImage();
    // A change composed here but lying outside this paint is presented by a
    // paint of its own.
    const QRegion elsewhere = DesktopRegion(m_composer.TakeChangedRegion(), m_scene.PixelRatio) - event->region();
    if (!elsewhere.isEmpty())
        update(elsewhere);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}
