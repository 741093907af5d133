#include "clock/ClockTicker.h"

#include "clock/ClockAngles.h"
#include "clock/ClockTick.h"
#include "clock/FaceColors.h"
#include "platform/raster/Raster.h"

namespace {

double HourAngleAt(const QTime& time)
{
    return HourAngle(time.hour() % 12, time.minute());
}

int FaceMinuteAt(const QTime& time)
{
    return ClockTick::FaceMinute(time.hour() % 12, time.minute());
}

} // namespace

bool ClockTicker::requestRefresh()
{
    if (m_state == State::ShowingMinute)
        m_state = State::RefreshRequested;
    return m_state == State::RefreshRequested;
}

bool ClockTicker::refreshDue(QSize pictureSize)
{
    if (m_state == State::ShowingMinute && m_faces[0].size() != pictureSize)
        m_state = State::RefreshRequested;
    return m_state != State::ShowingMinute;
}

void ClockTicker::startFirstTick(OverlayScene& scene, const Skin& skin) const
{
    ReadoutLabel& readout = scene.srsDigit;
    readout.X = 0;
    readout.Y = 0;
    readout.Text = QLatin1String(ClockTick::kFirstReadoutText);
    SecondsMarker& marker = scene.srsSec;
    marker.X = 0;
    marker.Y = 0;
    marker.Radius = ClockTick::MarkerRadius(skin);
}

void ClockTicker::drawFace(int minute, const Skin& skin, double hourAngle)
{
    m_renderer.DrawFace(m_faces[std::size_t(minute % 2)], skin, hourAngle, MinuteAngle(minute));
}

void ClockTicker::drawFaces(OverlayScene& scene, const Skin& skin, QSize pictureSize, const QTime& now)
{
    if (m_state == State::RefreshRequested)
        scene.srsSec.Radius = ClockTick::MarkerRadius(skin);
    for (QImage& face : m_faces)
        face = QImage(pictureSize, kRasterFormat);
    const int minute = now.minute();
    const double hourAngle = HourAngleAt(now);
    drawFace(minute, skin, hourAngle);
    scene.FacePicture = m_faces[std::size_t(minute % 2)];
    drawFace(minute + 1, skin, hourAngle);
    m_shownFace = FaceMinuteAt(now);
    ClockTick::ApplyMarkerStyle(scene.srsSec, SkinToDraw(skin));
}

void ClockTicker::finishRefresh(OverlayScene& scene, const Skin& skin, int surfaceWidth, double pixelsPerInch)
{
    ClockTick::SetUpReadout(scene.srsDigit, SkinToDraw(skin), surfaceWidth, pixelsPerInch);
    m_state = State::ShowingMinute;
}

bool ClockTicker::ordinaryTick(OverlayScene& scene, const Skin& skin, const QDateTime& now, int readoutFormatIndex,
    const QString& amPmFormat, const QString& h24Format)
{
    // Marker, readout and, at a minute change, the face prepared a minute
    // ahead all change before the one present of the tick.
    const QPointF marker = ClockTick::MarkerPosition(skin, now.time().second());
    scene.srsSec.X = marker.x();
    scene.srsSec.Y = marker.y();
    if (const auto text = ClockTick::ReadoutText(now, readoutFormatIndex, amPmFormat, h24Format))
        scene.srsDigit.Text = *text;
    const int minute = now.time().minute();
    const ClockTick::FaceStep step = ClockTick::FaceStepAt(m_shownFace, FaceMinuteAt(now.time()));
    switch (step) {
    case ClockTick::FaceStep::Keep:
        break;
    case ClockTick::FaceStep::ShowPrepared:
        // The face of this minute was prepared a minute ahead.
        scene.FacePicture = m_faces[std::size_t(minute % 2)];
        break;
    case ClockTick::FaceStep::RedrawBoth:
        drawFace(minute, skin, HourAngleAt(now.time()));
        scene.FacePicture = m_faces[std::size_t(minute % 2)];
        break;
    }
    m_shownFace = FaceMinuteAt(now.time());
    return step != ClockTick::FaceStep::Keep;
}

void ClockTicker::prepareNextFace(const Skin& skin, const QTime& now)
{
    drawFace(now.minute() + 1, skin, HourAngleAt(now));
}
