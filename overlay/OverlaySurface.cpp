#include "overlay/OverlaySurface.h"

#include <QPaintEvent>
#include <QPainter>

TOverlaySurface::TOverlaySurface(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Chart1"));
    setMinimumSize(kMinimumSide, kMinimumSide);
    // Every pixel is painted from the composed image.
    setAttribute(Qt::WA_OpaquePaintEvent);
    FScene.Color = FromQColor(palette().color(QPalette::Button));
    FPresentTimer.setSingleShot(true);
    FPresentTimer.setInterval(0);
    connect(&FPresentTimer, &QTimer::timeout, this, &TOverlaySurface::PresentChanges);
    hide();
}

void TOverlaySurface::setColor(TColor colour)
{
    MarkChanged();
    FScene.Color = colour;
}

void TOverlaySurface::setFacePicture(const QImage& picture)
{
    MarkChanged();
    // QImage shares its pixels until either side writes, so this is a copy.
    FScene.FacePicture = picture;
}

TTextureBand& TOverlaySurface::ColorBand()
{
    MarkChanged();
    return FScene.ColorBand;
}

TSecondsMarker& TOverlaySurface::srsSec()
{
    MarkChanged();
    return FScene.srsSec;
}

TReadoutLabel& TOverlaySurface::srsDigit()
{
    MarkChanged();
    return FScene.srsDigit;
}

const QImage& TOverlaySurface::ComposedImage()
{
    FScene.Size = size();
    return FComposer.Compose(FScene);
}

void TOverlaySurface::MarkChanged()
{
    if (!FPresentTimer.isActive())
        FPresentTimer.start();
}

void TOverlaySurface::PresentChanges()
{
    ComposedImage();
    update(FComposer.TakeChangedRegion());
}

void TOverlaySurface::Refresh()
{
    FPresentTimer.stop();
    ComposedImage();
    repaint(FComposer.TakeChangedRegion());
}

void TOverlaySurface::paintEvent(QPaintEvent* event)
{
    const QImage& image = ComposedImage();
    // A change composed here but lying outside this paint is presented by a
    // paint of its own.
    const QRegion elsewhere = FComposer.TakeChangedRegion() - event->region();
    if (!elsewhere.isEmpty())
        update(elsewhere);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}
