#include "clock/ClockPicture.h"

#include "clock/ClockAngles.h"
#include "clock/ClockTick.h"
#include "clock/FaceColors.h"
#include "clock/FaceRenderer.h"
#include "clock/WindowShape.h"
#include "overlay/OverlayComposer.h"
#include "platform/text/DateTimeFormat.h"
#include "platform/files/ProgramFolder.h"
#include "platform/raster/Raster.h"

#include <QGuiApplication>
#include <QPalette>

ClockPicture ClockPictureAt(const Skin& givenSkin, const QDateTime& moment, int side, const QString& readoutFormat,
    double pixelsPerInch)
{
    const Skin skin = SkinToDraw(givenSkin);
    const QTime time = moment.time();
    const int minute = time.minute();
    const double hourAngle = HourAngle(time.hour() % 12, minute);

    OverlayScene scene;
    scene.Size = QSize(side, side);
    scene.Color = FromQColor(QGuiApplication::palette().color(QPalette::Button));
    QImage face(scene.Size, kRasterFormat);
    FaceRenderer().DrawFace(face, skin, hourAngle, MinuteAngle(minute));
    scene.FacePicture = face;

    scene.srsSec.Radius = ClockTick::MarkerRadius(skin);
    ClockTick::ApplyMarkerStyle(scene.srsSec, skin);
    const ResolvedTexture texture = ResolveTexture(skin, ProgramFolder());
    texture.ApplyTo(scene.ColorBand);
    ClockTick::SetUpReadout(scene.srsDigit, skin, side, pixelsPerInch);

    const QPointF marker = ClockTick::MarkerPosition(skin, time.second());
    scene.srsSec.X = marker.x();
    scene.srsSec.Y = marker.y();
    scene.srsDigit.Text = FormatDateTime(readoutFormat, moment);

    QImage picture = OverlayComposer::ComposeAll(scene).convertToFormat(QImage::Format_ARGB32);
    const QImage outline = WindowOutline(scene.Size, ShapeOf(skin));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (!outline.pixelIndex(x, y))
                picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    return { picture, texture.Problem };
}
