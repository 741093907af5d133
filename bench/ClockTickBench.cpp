// The ordinary tick's whole path on the real surface widget (offscreen):
// the marker moves and the readout text changes, then the surface recomposes
// and presents the changed pixels once.
#include "app/ApplyTexture.h"
#include "clock/ClockTicker.h"
#include "overlay/OverlaySurface.h"
#include "skins/LiveSkin.h"

#include <QCoreApplication>
#include <QDateTime>

#include <benchmark/benchmark.h>

namespace {

void BM_OrdinaryTickOnTheSurface(benchmark::State& state)
{
    const int side = int(state.range(0));
    LiveSkin liveSkin;
    Skin skin = DefaultSkin();
    skin.Square = false;
    skin.ClockSize = side;
    skin.Texture.setText(QStringLiteral("10")); // a pattern tile over the face
    liveSkin.edit(skin);

    QWidget window;
    window.resize(side, side);
    auto* surface = new OverlaySurface(&window);
    surface->setGeometry(0, 0, side, side);
    surface->show();
    window.show();

    const QDate day(2026, 3, 4);
    ClockTicker ticker;
    ticker.startFirstTick(surface->scene(), skin);
    ticker.drawFaces(surface->scene(), skin, surface->PictureSize(), QTime(10, 14));
    ApplyTexture(surface->scene().ColorBand, liveSkin);
    ticker.finishRefresh(surface->scene(), skin, side, 96);
    surface->Refresh();
    QCoreApplication::processEvents();

    int second = 0;
    for (auto _ : state) {
        ticker.ordinaryTick(surface->scene(), skin, QDateTime(day, QTime(10, 14, second % 60)), 0,
            QStringLiteral("h:mm:ss AM/PM"), QStringLiteral("h:mm:ss"));
        surface->Refresh();
        QCoreApplication::processEvents();
        ++second;
    }
}
BENCHMARK(BM_OrdinaryTickOnTheSurface)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
