#include "program/ClockProgram.h"
#include "clock/ClockAngles.h"
#include "app/ClockWindow.h"
#include "app/FirstStartHint.h"
#include "clock/FaceRenderer.h"
#include "desktop/TrayIcon.h"
#include "options/OptionsWindow.h"
#include "widgets/SpinEdit.h"
#include "overlay/OverlaySurface.h"
#include "platform/dialogs/Application.h"
#include "platform/text/LocalClock.h"
#include "platform/raster/Raster.h"
#include "skins/SkinFile.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QPalette>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <sys/stat.h>

namespace {

QByteArray SkinBytes(void (*change)(Skin&))
{
    Skin skin = DefaultSkin();
    change(skin);
    const auto record = WriteSkinRecord(skin);
    return QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
}

// A program folder holding a default skin (round, 250 pixels) and the
// program started on it: the clock with its options window. Ticks are run
// by hand.
struct ClockFixture {
    TempFolder home;
    QStringList errors;
    QStringList messages;
    ErrorPresenter previousPresenter;
    MessagePresenter previousMessagePresenter;
    LocalClockSource previousClock;
    QDateTime now { QDate(2026, 3, 4), QTime(10, 14, 30) };
    std::unique_ptr<ClockProgram> program;
    ClockWindow* clock = nullptr;
    OptionsWindow* options = nullptr;

    ClockFixture()
    {
        home.becomeProgramFolder();
        home.write("default.clk", SkinBytes([](Skin& s) { s.Square = false; s.ClockSize = 250; }));
        previousPresenter = SetErrorPresenter([this](const QString& message) { errors << message; });
        previousMessagePresenter = SetMessagePresenter([this](const QString& message) { messages << message; });
        previousClock = SetLocalClockSource([this] { return now; });
    }
    ~ClockFixture()
    {
        program.reset();
        SetErrorPresenter(previousPresenter);
        SetMessagePresenter(previousMessagePresenter);
        SetLocalClockSource(previousClock);
    }

    // One tick of the clock at the given time of day.
    void tickAt(QTime time)
    {
        now.setTime(time);
        clock->tick();
    }
    OverlaySurface* surface() const { return clock->findChild<OverlaySurface*>(); }
    const QImage& facePicture() const { return std::as_const(*surface()).scene().FacePicture; }
    const SecondsMarker& marker() const { return std::as_const(*surface()).scene().srsSec; }
    const ReadoutLabel& readout() const { return std::as_const(*surface()).scene().srsDigit; }
    LiveSkin& liveSkin() const { return program->liveSkin(); }
    const Skin& skin() const { return program->liveSkin().skin(); }
    const ClockSettings& settings() const { return program->settings().settings(); }
    // The tray menu's item of that name.
    QAction* menuItem(const char* name) const { return clock->findChild<QAction*>(QLatin1String(name)); }

    // Starts the program, which reads its settings and shows the clock.
    void show()
    {
        program = std::make_unique<ClockProgram>();
        program->start();
        clock = &program->clockWindow();
        options = &program->optionsWindow();
        clock->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        clock->activateWindow();
    }
    void start()
    {
        show();
        QVERIFY(QTest::qWaitForWindowActive(clock));
    }

    // A control of the options window, found by its name as the user finds
    // it by its caption.
    template <typename Control>
    Control* control(const char* name) const
    {
        return options->findChild<Control*>(QLatin1String(name));
    }
    QByteArray ini() const { return home.read("vellamor.ini"); }
};

// Where a clock of 400 pixels first appears: at the top-right corner of the
// work area, 16 pixels in.
QPoint FirstStartCorner()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    return QPoint(area.right() + 1 - 16 - 400, area.top() + 16);
}

// The face of minute (of an hour at hourMinute) as the clock renders the
// skin, at the 400 pixels of a started clock unless told.
QImage Face(const Skin& skin, int hour, int hourMinute, int minute, int side = 400)
{
    QImage face(side, side, QImage::Format_RGB888);
    FaceRenderer().DrawFace(face, skin, HourAngle(hour % 12, hourMinute), MinuteAngle(minute));
    return face;
}

// Calls back for each event of a type that reaches a widget.
class EventWatch : public QObject {
public:
    EventWatch(QObject& watched, QEvent::Type type, std::function<void(QEvent*)> seen)
        : m_type(type), m_seen(std::move(seen))
    {
        watched.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            m_seen(event);
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(QEvent*)> m_seen;
};

} // namespace

class ClockWindowTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunWithoutSettingsFile()
    {
        ClockFixture f;
        f.start();
        QVERIFY(!f.skin().Square);              // read from default.clk
        QCOMPARE(f.skin().ClockSize, 400);      // the skin's own size does not take effect at start
        QCOMPARE(f.clock->pos(), FirstStartCorner());
        QVERIFY(f.settings().keepLastPosition);
        QVERIFY(f.settings().keepSize);
        QVERIFY(!f.settings().stayOnTop);
        QCOMPARE(f.settings().readoutFormatIndex, 0);
        QCOMPARE(f.clock->windowTitle(), QStringLiteral("Vellamor"));
        QCOMPARE(f.clock->findChild<TrayIcon*>()->Hint(), QStringLiteral("Vellamor"));
        // Until the first tick the window shows the whole start-up picture.
        QCOMPARE(f.clock->size(), f.clock->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size());
        QCOMPARE(f.settings().amPmFormat, QStringLiteral("h:mm:ss AM/PM"));
        QCOMPARE(f.settings().h24Format, QStringLiteral("h:mm:ss"));
        QVERIFY(f.errors.isEmpty());

        // The skin list shows "default" as the current skin, and the settings
        // name it.
        QCOMPARE(f.liveSkin().fileOrDefault(), f.home.file("default.clk"));
        // A hint beside the clock says how to use it.
        const FirstStartHint* hint = f.clock->findChild<FirstStartHint*>();
        QVERIFY(hint && hint->isVisible());
        QVERIFY(hint->text().contains(QStringLiteral("Right-click for options")));
        f.tickAt(QTime(10, 14, 31));
        QVERIFY(hint->geometry().top() > f.clock->geometry().bottom() || hint->geometry().bottom() < f.clock->geometry().top());
        f.program->SaveSettings();
        const QPoint corner = FirstStartCorner();
        QCOMPARE(f.ini(),
            QStringLiteral("[Default]\nSkin=default.clk\nOnTop=0\nDigFrm=0\n\n[Position]\nKeepIt=1\nLeft=%1\nTop=%2\n\n"
                           "[Size]\nKeepIt=1\nLastOne=400\n")
                .arg(corner.x())
                .arg(corner.y())
                .toUtf8());
        // Opening the options retires the hint for good.
        QTest::keyClick(f.clock, Qt::Key_O);
        QVERIFY(QTest::qWaitForWindowActive(f.options));
        QTRY_VERIFY(!f.clock->findChild<FirstStartHint*>());
        QCOMPARE(f.control<QComboBox>("cbSettings")->currentText(), QStringLiteral("default"));
        f.program->SaveSettings();
        QVERIFY(f.ini().contains("\nHintSeen=1\n"));
    }

    // The hint comes at the first start only: not once the clock has a
    // place of its own, not once it was clicked away.
    void theFirstStartHintComesOnce()
    {
        for (const char* ini : { "[Position]\nLeft=10\nTop=10\n", "[Default]\nHintSeen=1\n" }) {
            ClockFixture f;
            f.home.write("vellamor.ini", ini);
            f.start();
            QVERIFY2(!f.clock->findChild<FirstStartHint*>(), ini);
        }
        ClockFixture f;
        f.start();
        FirstStartHint* hint = f.clock->findChild<FirstStartHint*>();
        QVERIFY(hint);
        QTest::mouseClick(hint, Qt::LeftButton);
        QTRY_VERIFY(!f.clock->findChild<FirstStartHint*>());
        QVERIFY(f.settings().hintSeen);
    }

    void storedSettingsAreApplied()
    {
        ClockFixture f;
        f.home.write("Classic.clk", SkinBytes([](Skin& s) { s.SecStyle = 2; }));
        f.home.write("vellamor.ini",
            "[Default]\nSkin=Classic.clk\nDigFrm=1\nDigFrmAMPM=hh:nn\nDigFrm24M=h.nn\nOnTop=1\n"
            "[Position]\nKeepIt=0\nLeft=3000\nTop=-50\n[Size]\nKeepIt=1\nLastOne=250\n");
        f.start();
        QCOMPARE(f.skin().SecStyle, 2);
        QCOMPARE(f.liveSkin().fileOrDefault(), f.home.file("Classic.clk"));
        const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
        QCOMPARE(f.clock->pos(), QPoint(qRound(screenWidth / 2.0), -50));
        QVERIFY(!f.settings().keepLastPosition);
        QCOMPARE(f.settings().readoutFormatIndex, 1);
        QCOMPARE(f.settings().amPmFormat, QStringLiteral("hh:nn"));
        QCOMPARE(f.settings().h24Format, QStringLiteral("h.nn"));
        QCOMPARE(f.skin().ClockSize, 250);
        QCOMPARE(f.control<SpinEdit>("seSize")->value(), 250);
        QVERIFY(f.settings().stayOnTop);
    }

    void lastOneIsReadOnlyWhileKeepingTheSize_data()
    {
        QTest::addColumn<QByteArray>("sizeSection");
        QTest::addColumn<int>("clockSize");
        QTest::newRow("kept") << QByteArray("KeepIt=1\nLastOne=250") << 250;
        QTest::newRow("not kept: the skin's own") << QByteArray("KeepIt=0\nLastOne=300") << 250;
        QTest::newRow("zero keeps the current size") << QByteArray("KeepIt=1\nLastOne=0") << 400;
        QTest::newRow("absent") << QByteArray("KeepIt=1") << 400;
        QTest::newRow("garbage") << QByteArray("KeepIt=yes\nLastOne=big") << 400;
    }
    void lastOneIsReadOnlyWhileKeepingTheSize()
    {
        QFETCH(QByteArray, sizeSection);
        QFETCH(int, clockSize);
        ClockFixture f;
        f.home.write("vellamor.ini", "[Size]\n" + sizeSection + "\n");
        f.start();
        QCOMPARE(f.skin().ClockSize, clockSize);
    }

    void savingFollowsTheCheckBoxes()
    {
        ClockFixture f;
        f.home.write("vellamor.ini", "; kept comment\n[Position]\nKeepIt=1\nLeft=120\nTop=80\n");
        f.start();
        QCOMPARE(f.clock->pos(), QPoint(120, 80));
        f.liveSkin().load("/elsewhere/mine.clk", std::nullopt); // missing: default.clk is read, the name is kept
        f.clock->move(300, 200);
        f.control<QCheckBox>("chkLastPos")->setChecked(false);
        f.control<QCheckBox>("chkKeepSize")->setChecked(false);
        f.program->SaveSettings();
        QCOMPARE(f.ini(),
            QByteArray("; kept comment\n[Position]\nKeepIt=0\nLeft=120\nTop=80\n\n[Default]\nSkin=/elsewhere/mine.clk\n"
                       "OnTop=0\nDigFrm=0\n\n[Size]\nKeepIt=0\nLastOne=0\n"));
    }

    void unreadableSkinIsReportedAndTheOtherSettingsStillApply()
    {
        ClockFixture f;
        f.home.write("bad.clk", QByteArray(443, '\0'));
        f.home.write("vellamor.ini", "[Default]\nSkin=bad.clk\nOnTop=1\n[Position]\nLeft=100\nTop=60\n[Size]\nLastOne=300\n");
        f.start();
        QCOMPARE(f.errors, QStringList { f.home.file("bad.clk") + ": Read beyond end of file" });
        QCOMPARE(f.clock->pos(), QPoint(100, 60));
        QCOMPARE(f.skin().ClockSize, 300);
        QVERIFY(f.settings().stayOnTop);
        QVERIFY(f.skin().Square); // the built-in skin stays
    }

    // A logout while the start-up's skin error waits for OK saves what was
    // read, not defaults.
    void closingWhileTheStartupErrorIsUpKeepsTheSettings()
    {
        ClockFixture f;
        f.home.write("bad.clk", QByteArray(443, '\0'));
        f.home.write("vellamor.ini",
            "[Default]\nSkin=bad.clk\nOnTop=1\nDigFrm=1\n[Position]\nLeft=100\nTop=60\n[Size]\nLastOne=300\n");
        SetErrorPresenter([&f](const QString& message) {
            f.errors << message;
            f.clock->terminate();
        });
        f.show();
        QTRY_COMPARE(f.errors.size(), 1);
        QVERIFY(!f.clock->isVisible());
        const QByteArray saved = f.ini();
        for (const char* line : { "\nOnTop=1\n", "\nDigFrm=1\n", "\nLeft=100\n", "\nTop=60\n", "\nLastOne=300\n" })
            QVERIFY2(saved.contains(line), saved.constData());
    }

    void failedSaveIsReportedOnceAndTheClockClosesAnyway()
    {
        ClockFixture f;
        f.start();
        f.home.write("vellamor.ini", "[Default]\nSkin=x.clk\n");
        QFile::setPermissions(f.home.file("vellamor.ini"), QFile::ReadOwner);
        QVERIFY(f.clock->close());
        QVERIFY(!f.clock->isVisible());
        QCOMPARE(f.errors, QStringList { "Unable to write to " + f.home.file("vellamor.ini") + ": " + qt_error_string(EACCES) });
        QCOMPARE(f.ini(), QByteArray("[Default]\nSkin=x.clk\n"));
    }

    // A settings file that is not a regular file, or is larger than any real
    // one, is reported at the start and never waited on, read or replaced; a
    // termination signal still ends the clock, with the failed save on the
    // error output and no box.
    void refusedSettingsFileIsReportedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder" << "it is a folder, not a file";
        QTest::newRow("FIFO") << "fifo" << "it is a pipe (FIFO), not a regular file";
        QTest::newRow("link to /dev/zero") << "zero" << "it is a device, not a regular file";
        QTest::newRow("64 MB and more") << "huge" << "it is larger than 64.0 MB, more than such a file ever holds";
    }
    void refusedSettingsFileIsReportedAndLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ClockFixture f;
        const QString ini = f.home.file("vellamor.ini");
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(ini));
        else if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        else if (kind == u"zero")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini));
        else
            QVERIFY(QFile(ini).open(QIODevice::WriteOnly) && QFile(ini).resize((qint64(64) << 20) + 1));
        const QFileInfo before(ini);

        f.start();
        QCOMPARE(f.errors, QStringList { "Cannot read " + ini + ": " + reason });
        QCOMPARE(f.clock->pos(), FirstStartCorner());

        QTest::ignoreMessage(QtCriticalMsg, qPrintable("Unable to write to " + ini + ": " + reason));
        f.clock->terminate();
        QVERIFY(!f.clock->isVisible());
        QCOMPARE(f.errors.size(), 1);
        const QFileInfo after(ini);
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.lastModified(), before.lastModified());
    }

    void keysHideAndOpenTheOptionsOnTheAlarmsPageWhileHidden()
    {
        ClockFixture f;
        f.start();
        QTest::keyClick(f.clock, Qt::Key_M);
        QVERIFY(f.menuItem("mHide")->isChecked());
        QVERIFY(!f.menuItem("mShow")->isChecked());

        QTest::keyClick(f.clock, Qt::Key_O);
        QVERIFY(f.options->isVisible());
        QCOMPARE(f.control<QTabWidget>("PageControl1")->currentIndex(), 2);
        f.options->reject();

        f.clock->showUp();
        QVERIFY(f.menuItem("mShow")->isChecked());
        QTest::keyClick(f.clock, Qt::Key_X); // ignored
        QVERIFY(f.menuItem("mShow")->isChecked());
    }

    void skinChangesRedrawOnlyAfterTheFirstTick()
    {
        ClockFixture f;
        f.start();
        auto* startupPicture = f.clock->findChild<QLabel*>(QStringLiteral("Image1"));
        const QSize startupSize = f.clock->size();
        f.control<SpinEdit>("seSize")->setValue(300); // the designer stores the size in the live skin
        QCOMPARE(f.skin().ClockSize, 300);
        QCOMPARE(f.clock->size(), startupSize);
        QVERIFY(f.facePicture().isNull());

        f.clock->tick(); // the first tick draws everything
        QCOMPARE(f.clock->size(), QSize(300, 300));
        QCOMPARE(f.facePicture().size(), QSize(300, 300));
        QVERIFY(f.surface()->isVisible());
        QVERIFY(!startupPicture->isVisible());

        f.control<SpinEdit>("seSize")->setValue(350);
        QCOMPARE(f.clock->size(), QSize(350, 350));
        QCOMPARE(f.facePicture().size(), QSize(350, 350));
    }

    void preparedFaceAppearsAtTheMinuteChange()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(10, 14, 30)); // first tick: full refresh
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 14, 14));
        f.tickAt(QTime(10, 14, 59));
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 14, 14));
        f.tickAt(QTime(10, 15, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 14, 15)); // prepared during 10:14
        f.tickAt(QTime(10, 16, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 15, 16));

        // 3:59: the face prepared ahead has the hour hand on 4 and the minute hand on 12.
        f.liveSkin().edit(f.skin());
        f.tickAt(QTime(3, 59, 10));
        f.tickAt(QTime(4, 0, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 3, 59, 60));
    }

    void aTickPresentsItsChangesOnceBeforeItEnds()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(10, 14, 30));
        f.tickAt(QTime(10, 14, 31));
        QCoreApplication::processEvents();
        QRegion painted;
        int paints = 0;
        EventWatch watch(*f.surface(), QEvent::Paint, [&](QEvent* event) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        });

        for (const QTime time : { QTime(10, 14, 32), QTime(10, 15, 0) }) {
            paints = 0;
            painted = QRegion();
            f.tickAt(time);
            // On screen as the tick ends: the new readout text and marker
            // place (and at a minute change the new face), in one paint.
            // (Pixels outside the window's outline are never painted.)
            const QImage shown = f.clock->screen()->grabWindow(f.clock->winId()).toImage();
            const QImage& composed = f.surface()->ComposedImage();
            for (const QRect& visible : f.clock->mask())
                for (int y = visible.top(); y <= visible.bottom(); ++y)
                    for (int x = visible.left(); x <= visible.right(); ++x)
                        QCOMPARE(PixelAt(shown, x, y), PixelAt(composed, x, y));
            QCOMPARE(paints, 1);
            QCoreApplication::processEvents();
            QCOMPARE(paints, 1);
        }
        // Within a minute only what changed is sent: here the marker and the
        // readout, not the face around them.
        paints = 0;
        painted = QRegion();
        f.tickAt(QTime(10, 15, 1));
        QCOMPARE(paints, 1);
        QVERIFY(!painted.contains(QPoint(0, 0)));
        QVERIFY(!painted.contains(QPoint(f.clock->width() - 1, f.clock->height() - 1)));
    }

    // A jump of the clock (set by hand, daylight saving) redraws both faces
    // at once, whole hours included; the minute after shows the right face.
    void aClockJumpRedrawsTheFaces()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(10, 5, 30));
        f.tickAt(QTime(10, 5, 31));
        f.tickAt(QTime(11, 5, 32)); // an hour ahead
        QCOMPARE(f.facePicture(), Face(f.skin(), 11, 5, 5));
        f.tickAt(QTime(11, 6, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 11, 5, 6));
        f.tickAt(QTime(10, 6, 1)); // an hour back
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 6, 6));
        f.tickAt(QTime(10, 32, 0)); // 26 minutes ahead
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 32, 32));
        f.tickAt(QTime(10, 33, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 32, 33));
    }

    // On a scaled desktop (the scaled run of this test sets QT_SCALE_FACTOR)
    // the clock is drawn at device pixels: the face renderer's picture at the
    // scaled size reaches the screen pixel for pixel, not the picture of the
    // unscaled size enlarged.
    void aScaledDesktopGetsTheClockAtItsDevicePixels()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(10, 14, 30));
        f.tickAt(QTime(10, 14, 31));
        const double ratio = f.clock->devicePixelRatioF();
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        const int side = qRound(f.clock->width() * ratio);
        QCOMPARE(f.facePicture(), Face(f.skin(), 10, 14, 14, side));

        // What the window paints, at the window's device pixel ratio.
        const QImage shown = f.clock->grab().toImage();
        const QImage& composed = f.surface()->ComposedImage();
        QCOMPARE(shown.size(), QSize(side, side));
        QCOMPARE(composed.size(), QSize(side, side));
        // Every device pixel well inside the window's outline, which the
        // window system scales from the desktop's pixels.
        const QRegion mask = f.clock->mask();
        const auto wellInside = [&](QPoint desktop) {
            for (const QPoint corner : { QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1), QPoint(1, 1) })
                if (!mask.contains(desktop + corner))
                    return false;
            return true;
        };
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (wellInside(QPoint(int(x / ratio), int(y / ratio))) && PixelAt(shown, x, y) != PixelAt(composed, x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2 shows %3 for %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(PixelAt(shown, x, y), 6, 16, QLatin1Char('0'))
                                         .arg(PixelAt(composed, x, y), 6, 16, QLatin1Char('0'))));
    }

    void markerAndReadoutFollowTheTicks()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(10, 14, 30));
        QCOMPARE(f.readout().Text, QStringLiteral("12:34:56 AM")); // for the first second
        QCOMPARE(f.marker().X, 0.0);
        QCOMPARE(f.marker().Radius, 5.0);
        f.tickAt(QTime(10, 14, 15));
        QVERIFY(qAbs(f.marker().X - 55) < 1e-9); // the round default skin's path
        QVERIFY(qAbs(f.marker().Y) < 1e-9);
        QCOMPARE(f.readout().Text, QStringLiteral("10:14:15 AM"));
        f.program->settings().setReadoutFormatIndex(1);
        f.tickAt(QTime(22, 14, 16));
        QCOMPARE(f.readout().Text, QStringLiteral("22:14:16"));
        f.program->settings().setReadoutFormatIndex(-1);
        f.tickAt(QTime(22, 14, 17));
        QCOMPARE(f.readout().Text, QStringLiteral("22:14:16"));
    }

    void windowTakesTheSkinsShapeSizeAndTransparency()
    {
        ClockFixture f;
        f.home.write("default.clk", SkinBytes([](Skin& s) { s.Transparency = 80; }));
        f.start();
        f.tickAt(QTime(9, 0, 0));
        QCOMPARE(f.clock->size(), QSize(400, 400));
        QCOMPARE(f.clock->mask().boundingRect(), QRect(1, 1, 398, 398));
        QCOMPARE(qRound(f.clock->windowOpacity() * 255), 128);
    }

    // Colours naming a system colour ($8000000F, the button face) are drawn
    // in that colour everywhere, not in the colour of their low bytes.
    void systemColoursAreResolvedForAllDrawing()
    {
        constexpr TColor kButtonFace = 0x8000000F;
        constexpr TColor kWindowText = 0x80000008;
        ClockFixture f;
        f.home.write("default.clk", SkinBytes([](Skin& s) {
            s.SecColor = kButtonFace;
            s.SecStyle = 1; // a full circle
            s.DigColor = kWindowText;
            s.MinLastColor = kButtonFace; // the readout's frame at the bottom
            s.DigPosition = 3;
            s.TextureColor = kWindowText;
            s.Texture.setText("2"); // a hatch in TextureColor
        }));
        f.start();
        f.tickAt(QTime(9, 0, 0));
        const TColor buttonFace = FromQColor(QGuiApplication::palette().color(QPalette::Button));
        const TColor windowText = FromQColor(QGuiApplication::palette().color(QPalette::Text));
        QCOMPARE(f.marker().OutlineColor, buttonFace);
        QCOMPARE(f.marker().FillColor, buttonFace);
        QCOMPARE(f.readout().FontColor, windowText);
        QCOMPARE(f.readout().FrameColor, buttonFace);
        QCOMPARE(std::as_const(*f.surface()).scene().ColorBand.Brush.Color, windowText);
    }

    void damagedSkinStillGivesARunningClock()
    {
        ClockFixture f;
        f.home.write("default.clk", SkinBytes([](Skin& s) {
            s.Texture.setText("99");
            s.TextureTransparency = 500;
            s.SecStyle = 7;
            s.DigPosition = 9;
            s.DigFont.setText("No Such Font");
        }));
        f.start();
        Skin damaged = f.skin();
        damaged.ClockSize = -5; // the size a start-up keeps is taken from the clock; a file could hold this
        f.liveSkin().edit(damaged);
        QCOMPARE(f.skin().SecStyle, 7);
        f.tickAt(QTime(9, 0, 0));
        QCOMPARE(f.clock->size(), QSize(50, 50));
        QCOMPARE(f.facePicture(), Face(f.skin(), 9, 0, 0, 50));
        f.tickAt(QTime(9, 0, 1));
        f.tickAt(QTime(9, 1, 0));
        QCOMPARE(f.facePicture(), Face(f.skin(), 9, 0, 1, 50));
        QVERIFY(f.errors.isEmpty());
        QVERIFY(f.messages.isEmpty());
    }

    void keysPlaceAndSizeTheClock()
    {
        ClockFixture f;
        f.start();
        f.tickAt(QTime(9, 0, 0));
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint origin = workArea.topLeft();
        QTest::keyClick(f.clock, Qt::Key_Home);
        QCOMPARE(f.clock->pos(), origin + QPoint(-1, -1));
        QTest::keyClick(f.clock, Qt::Key_PageDown);
        QCOMPARE(f.clock->pos(), origin + QPoint(workArea.width() - 400 + 1, workArea.height() - 400));
        QTest::keyClick(f.clock, Qt::Key_5, Qt::KeypadModifier);
        const QPoint centre = origin + QPoint(qRound((workArea.width() - 400) / 2.0), qRound((workArea.height() - 400) / 2.0));
        QCOMPARE(f.clock->pos(), centre);
        QTest::keyClick(f.clock, Qt::Key_Left);
        QCOMPARE(f.clock->pos().x(), centre.x() - 5);

        QTest::keyClick(f.clock, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(f.skin().ClockSize, 390);
        QCOMPARE(f.clock->size(), QSize(390, 390));
        QTest::keyClick(f.clock, Qt::Key_Minus); // not the keypad's
        QCOMPARE(f.skin().ClockSize, 390);
        QTest::keyClick(f.clock, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(f.skin().ClockSize, 400);

        // A stored size beyond the designer's range is drawn at 1000 pixels;
        // the keys place the window as drawn.
        Skin large = f.skin();
        large.ClockSize = 2000;
        f.liveSkin().edit(large);
        QCOMPARE(f.clock->size(), QSize(1000, 1000));
        QTest::keyClick(f.clock, Qt::Key_PageDown);
        QCOMPARE(f.clock->pos(), origin + QPoint(workArea.width() - 1000 + 1, workArea.height() - 1000));
    }
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    Application::setApplicationName(QStringLiteral("Vellamor"));
    ClockWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ClockWindowTest.moc"
