#pragma once

#include "overlay/OverlayComposer.h"
#include "overlay/OverlayScene.h"

#include <QTimer>
#include <QWidget>

// The drawing surface that fills the clock window (Chart1). It composes its
// layers off screen and presents the finished image in one copy; while
// nothing changes, a repaint presents the kept image again.
//
// Its Tag is the tick state of the clock (ClockTick::kBeforeFirstTick and
// kRefreshRequested, app/ClockTick.h): -1 before the first tick, -2 when a
// full refresh is requested, otherwise the minute whose face it shows.
//
// On a scaled desktop the surface composes at device pixels, so that the
// clock stays sharp; its own size and the regions it repaints stay in the
// desktop's pixels.
//
// Properties are changed through the accessors below. Every non-const
// accessor marks the surface for repainting; several changes in a row cost
// one repaint, which composes anew only what differs from the last
// composition and presents only the part that changed.
class OverlaySurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumSide = 50;

    explicit OverlaySurface(QWidget* parent);

    int Tag = -1;

    TColor Color() const { return FScene.Color; }
    void setColor(TColor colour);

    const QImage& FacePicture() const { return FScene.FacePicture; }
    // Keeps a copy: later drawing into the given image does not reach the
    // surface.
    void setFacePicture(const QImage& picture);

    const TextureBand& ColorBand() const { return FScene.ColorBand; }
    TextureBand& ColorBand();
    const SecondsMarker& srsSec() const { return FScene.srsSec; }
    SecondsMarker& srsSec();
    const ReadoutLabel& srsDigit() const { return FScene.srsDigit; }
    ReadoutLabel& srsDigit();

    // Repaints at once and presents the result before returning (when the
    // surface is visible).
    void Refresh();

    // What the surface shows at its current size, composed now, in device
    // pixels (PictureSize()).
    const QImage& ComposedImage();
    // The surface's size in device pixels: a face picture of this size is
    // shown pixel for pixel.
    QSize PictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void MarkChanged();
    void PresentChanges();

    OverlayScene FScene;
    OverlayComposer FComposer;
    // Presents the changes once the event loop is idle; a Refresh in the
    // meantime presents them and stops it, so a tick costs no extra round
    // of the event loop.
    QTimer FPresentTimer;
};
