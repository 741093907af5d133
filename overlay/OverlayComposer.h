#pragma once

#include "overlay/GlyphCanvas.h"
#include "overlay/OverlayScene.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <optional>

// Composes an overlay scene into a 24-bit image, in this order: panel colour,
// face picture, frame, texture band, seconds marker, readout label.
//
// The first four layers change only with the face picture (once a minute) or
// the skin, so the composer keeps them composed and, while they stay as they
// were, redraws only the marker and the label over the kept layers: the
// result is the same, pixel for pixel, as a composition from nothing.
class OverlayComposer {
public:
    // The scene composed. When nothing changed since the last call the kept
    // image is returned untouched. The reference stays valid until the next
    // call; a copy of it shares the pixels until the next call changes them.
    const QImage& Compose(const OverlayScene& scene);

    // Where the composed image has changed since the last call (all of it at
    // first), so that only that part needs presenting.
    QRegion TakeChangedRegion();

    // The scene composed from nothing, keeping nothing.
    static QImage ComposeAll(const OverlayScene& scene);

private:
    // What the kept layers were composed from; pictures by identity.
    struct BackgroundKey {
        QSize size;
        double pixelRatio;
        TColor color;
        qint64 faceKey;
        TextureBand band;
        bool operator==(const BackgroundKey&) const = default;
    };

    static BackgroundKey KeyOf(const OverlayScene& scene);
    static QImage ComposeBackground(const OverlayScene& scene);
    // Draws marker and label; returns the pixels they may have changed.
    static QRegion DrawMovingLayers(QImage& image, const OverlayScene& scene, GlyphCanvas& canvas);

    std::optional<BackgroundKey> m_backgroundKey;
    QImage m_background;
    QImage m_result;
    SecondsMarker m_marker;
    ReadoutLabel m_label;
    QRegion m_movingLayers; // where marker and label lie in m_result
    QRegion m_changed;
    GlyphCanvas m_glyphCanvas;
};
