#pragma once

#include "clock/FaceRenderer.h"
#include "overlay/OverlayScene.h"
#include "skins/Skin.h"

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>

// What each one-second tick of the clock does to its picture: the tick state,
// the face of this minute and the one of the next, drawn a minute ahead, and
// the seconds marker and readout, all written into the overlay scene the
// clock window shows. The first tick and every tick after a skin change are
// full refreshes (the window reshapes itself around them); every other tick
// is ordinary and only moves what moves.
class ClockTicker {
public:
    enum class State {
        BeforeFirstTick,
        // A full refresh is due at the next tick.
        RefreshRequested,
        // The scene shows the face of a minute.
        ShowingMinute,
    };

    State state() const { return m_state; }

    // A change of the skin or of the screen: after the first tick, the next
    // tick is a full refresh. Returns whether one is due.
    bool requestRefresh();
    // Whether the next tick is a full refresh: before the first tick, after
    // a request, and when the faces are not of the surface's pixels (a
    // screen of another scale).
    bool refreshDue(QSize pictureSize);

    // The first tick's start: the readout's placeholder text and the marker
    // at the centre, of the skin's size.
    void startFirstTick(OverlayScene& scene, const Skin& skin) const;

    // The faces of a full refresh, at the surface's pixels: this minute's on
    // the scene, the next one's prepared; the marker takes the skin's style.
    void drawFaces(OverlayScene& scene, const Skin& skin, QSize pictureSize, const QTime& now);
    // The end of a full refresh: the readout set up for a surface of the
    // given width and resolution; the scene then shows its minute.
    void finishRefresh(OverlayScene& scene, const Skin& skin, int surfaceWidth, double pixelsPerInch);

    // An ordinary tick: the marker's place, the readout's text in the chosen
    // format and, at a minute change, the face prepared a minute ahead.
    // Returns whether the next minute's face is to be prepared once the
    // scene has been presented (prepareNextFace).
    bool ordinaryTick(OverlayScene& scene, const Skin& skin, const QDateTime& now, int readoutFormatIndex,
        const QString& amPmFormat, const QString& h24Format);
    // Draws the face of the minute after the shown one, off screen.
    void prepareNextFace(const Skin& skin, const QTime& now);

private:
    void drawFace(int minute, const Skin& skin, double hourAngle);

    State m_state = State::BeforeFirstTick;
    // The face of minute m is entry m mod 2; the other holds the next minute's.
    std::array<QImage, 2> m_faces;
    FaceRenderer m_renderer;
    // The face minute (ClockTick::FaceMinute) of the face on the scene.
    int m_shownFace = 0;
};
