#include "overlay/OverlaySurface.h"

#include "platform/raster/Raster.h"

#include <QEvent>
#include <QPalette>
#include <QtTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A surface filling a shown window, as in the clock.
struct ShownSurface {
    explicit ShownSurface(QSize size) : surface(new OverlaySurface(&window))
    {
        window.resize(size);
        surface->setGeometry(window.rect());
        window.show();
        surface->show();
    }

    QWidget window;
    OverlaySurface* const surface;
};

OverlayScene SceneOf(const OverlaySurface& surface)
{
    OverlayScene scene = surface.scene();
    scene.Size = surface.size();
    return scene;
}

} // namespace

class OverlaySurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void startsHiddenWithItsInitialValues();
    void refreshPresentsTheComposedScene();
    void severalChangesCostOneRepaint();
    void keepsACopyOfTheFacePicture();
};

void OverlaySurfaceTest::startsHiddenWithItsInitialValues()
{
    QWidget window;
    const OverlaySurface surface(&window);
    window.show();
    QVERIFY(!surface.isVisible());
    QCOMPARE(surface.objectName(), QStringLiteral("Chart1"));
    QCOMPARE(surface.scene().Color, FromQColor(window.palette().color(QPalette::Button)));
    QVERIFY(surface.scene().FacePicture.isNull());

    const TextureBand& band = surface.scene().ColorBand;
    QCOMPARE(band.StartValue, -100.0);
    QCOMPARE(band.EndValue, 100.0);
    QCOMPARE(band.Color, kSilver);
    QCOMPARE(band.Brush.Style, BrushStyle::Cross);
    QCOMPARE(band.Brush.Color, kWhite);
    QVERIFY(band.Brush.Image.isNull());
    QCOMPARE(band.Transparency, 80);

    const SecondsMarker& marker = surface.scene().srsSec;
    QVERIFY(marker.Active);
    QCOMPARE(marker.Radius, 0.0);
    QCOMPARE(marker.MarkerShape, msStar);
    QCOMPARE(marker.OutlineColor, MakeColor(0, 255, 0));
    QCOMPARE(marker.FillColor, MakeColor(0x80, 0x80, 0));
    QVERIFY(marker.Filled);

    const ReadoutLabel& label = surface.scene().srsDigit;
    QVERIFY(label.Active);
    QCOMPARE(label.FontColor, kBlack);
    QCOMPARE(label.FrameColor, kBlack);
    QVERIFY(label.RoundCorners);
    QCOMPARE(label.Offset, -3);
}

void OverlaySurfaceTest::refreshPresentsTheComposedScene()
{
    ShownSurface shown(QSize(230, 210));
    OverlaySurface& surface = *shown.surface;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));

    surface.scene().FacePicture = NewRasterImage(QSize(230, 210), MakeColor(40, 90, 160));
    surface.scene().ColorBand.Transparency = 40;
    surface.scene().srsSec.Radius = 8;
    surface.scene().srsSec.X = 30;
    surface.scene().srsDigit.Text = QStringLiteral("3:07:09 PM");
    surface.scene().srsDigit.FontName = QStringLiteral("Arial");
    surface.scene().srsDigit.FontSize = 11;
    surface.Refresh();
    const QImage composed = OverlayComposer::ComposeAll(SceneOf(surface));
    QCOMPARE(surface.ComposedImage(), composed);
    QCOMPARE(surface.grab().toImage().convertToFormat(kRasterFormat), composed);

    surface.scene().srsSec.Y = -40;
    surface.Refresh();
    QCOMPARE(surface.grab().toImage().convertToFormat(kRasterFormat), OverlayComposer::ComposeAll(SceneOf(surface)));
}

void OverlaySurfaceTest::severalChangesCostOneRepaint()
{
    ShownSurface shown(QSize(120, 120));
    OverlaySurface& surface = *shown.surface;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QCoreApplication::processEvents();

    PaintCounter counter;
    surface.installEventFilter(&counter);
    surface.scene().srsSec.X = 10;
    surface.scene().srsSec.Y = 20;
    surface.scene().Color = MakeColor(1, 2, 3);
    QCOMPARE(counter.paints, 0);
    QTRY_COMPARE(counter.paints, 1);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 1);

    // Refresh paints before it returns.
    surface.scene().srsSec.X = 11;
    surface.Refresh();
    QCOMPARE(counter.paints, 2);

    // With nothing changed a repaint presents the kept image as it was.
    const qint64 kept = surface.ComposedImage().cacheKey();
    surface.repaint();
    QCOMPARE(counter.paints, 3);
    QCOMPARE(surface.ComposedImage().cacheKey(), kept);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 3);
}

void OverlaySurfaceTest::keepsACopyOfTheFacePicture()
{
    QWidget window;
    OverlaySurface surface(&window);
    QImage face = NewRasterImage(QSize(60, 60), kWhite);
    surface.scene().FacePicture = face;
    FillRect(face, face.rect(), kBlack);
    QCOMPARE(PixelAt(surface.scene().FacePicture, 30, 30), kWhite);
}

QTEST_MAIN(OverlaySurfaceTest)
#include "OverlaySurfaceTest.moc"
