#pragma once

#include "overlay/OverlayComposer.h"
#include "overlay/OverlayScene.h"

#include <QTimer>
#include <QWidget>

// The drawing surface that fills the clock window. It composes its scene off
// screen and presents the finished image in one copy; while nothing
// changes, a repaint presents the kept image again.
//
// On a scaled desktop the surface composes at device pixels, so that the
// clock stays sharp; its own size and the regions it repaints stay in the
// desktop's pixels.
//
// The scene is changed through the non-const scene(), which marks the
// surface for repainting; several changes in a row cost one repaint, which
// composes anew only what differs from the last composition and presents
// only the part that changed. A face picture put into the scene is the
// scene's own: later drawing into the image it came from does not reach it.
class OverlaySurface : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinimumSide = 50;

    explicit OverlaySurface(QWidget* parent);

    const OverlayScene& scene() const { return m_scene; }
    OverlayScene& scene();

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

    OverlayScene m_scene;
    OverlayComposer m_composer;
    // Presents the changes once the event loop is idle; a Refresh in the
    // meantime presents them and stops it, so a tick costs no extra round
    // of the event loop.
    QTimer m_presentTimer;
};
