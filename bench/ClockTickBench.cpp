// The ordinary tick's whole path on the real surface widget (offscreen):
// the marker moves and the readout text changes, then the surface recomposes
// and presents the changed pixels once.
#include "app/ApplyTexture.h"
#include "clock/ClockAngles.h"
#include "clock/ClockTick.h"
#include "clock/FaceRenderer.h"
#include "overlay/OverlaySurface.h"
#include "platform/raster/Raster.h"

#include <QCoreApplication>
#include <QDateTime>

#include <benchmark/benchmark.h>

namespace {

void BM_OrdinaryTickOnTheSurface(benchmark::State& state)
{
    const int side = int(state.range(0));
    Skin = DefaultSkin();
    Skin.Square = false;
    Skin.Texture.setText(QStringLiteral("10")); // a pattern tile over the face

    QWidget window;
    window.resize(side, side);
    auto* surface = new OverlaySurface(&window);
    surface->setGeometry(0, 0, side, side);
    surface->show();
    window.show();

    QImage face(side, side, kRasterFormat);
    FaceRenderer().DrawFace(face, Skin, HourAngle(10, 14), MinuteAngle(14));
    surface->setFacePicture(face);
    ClockTick::ApplyMarkerStyle(surface->srsSec(), Skin);
    surface->srsSec().Radius = ClockTick::MarkerRadius(Skin);
    ApplyTexture(surface->ColorBand());
    ClockTick::SetUpReadout(surface->srsDigit(), Skin, side, 96);
    surface->Refresh();
    QCoreApplication::processEvents();

    int second = 0;
    const QDate day(2026, 3, 4);
    for (auto _ : state) {
        const QPointF marker = ClockTick::MarkerPosition(Skin, second % 60);
        surface->srsSec().X = marker.x();
        surface->srsSec().Y = marker.y();
        surface->srsDigit().Text
            = *ClockTick::ReadoutText(QDateTime(day, QTime(10, 14, second % 60)), 0, "h:mm:ss AM/PM", "h:mm:ss");
        surface->Refresh();
        QCoreApplication::processEvents();
        ++second;
    }
}
BENCHMARK(BM_OrdinaryTickOnTheSurface)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
