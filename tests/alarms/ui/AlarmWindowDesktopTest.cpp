#include "alarms/ui/AlarmWindow.h"
#include "platform/pictures/JpegCodec.h"
#include "tests/alarms/ui/PresentationDriver.h"
#include "tests/support/NullSink.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToneFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <memory>

// The presentation window on a real X11 desktop with a window manager and a
// compositor: what the user sees, and a document opened by the desktop's own
// opener (xdg-open). Leaves the screenshots picture-alarm.png,
// text-alarm.png and bad-sound-alarm.png in the working folder.
class AlarmWindowDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureAlarmShowsThePicture();
    void textAlarmShowsTheText();
    void badSoundShowsThePictureAndTheReason();
    void soundBeginsAsTheWindowAppears();
    void pictureLargerThanTheScreenIsFittedIntoTheWorkArea();
    void documentOpensInItsRegisteredApplication();

private:
    struct OnScreen {
        QImage painted;      // what the window paints
        bool seenAsPainted = false; // the screenshot shows exactly that
        QPoint offCentre;    // client area centre minus screen centre
        bool staysOnTop = false;
        QRect pictureArea;   // of the picture, in the window
        QRect errorArea;     // of the line of errors, in the window
    };
    // Presents r and looks at the screen until the window's paint shows
    // there (the compositor may take a moment), then closes the window.
    OnScreen Look(const AlarmRecord& r, QWidget* (*clickTarget)(AlarmWindow&), const QString& screenshotName);

    TempFolder FFolder;
    // Every sound of these tests goes to it.
    std::unique_ptr<NullSink> FSink;
};

namespace {

QImage TestPicture()
{
    QImage picture(320, 200, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x * 255 / 319, y * 255 / 199, (x / 40 + y / 40) % 2 ? 220 : 40));
    return picture;
}

QImage Screenshot(const QString& fileName)
{
    if (QProcess::execute(QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), fileName }) != 0)
        return QImage();
    return QImage(fileName).convertToFormat(QImage::Format_RGB32);
}

// Compares colours only: a screenshot read back from its file carries a
// colour space that the window's own paint does not.
bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

bool HasStayOnTopState(const QWidget& window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), { QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_STATE") });
    xprop.waitForFinished();
    return xprop.readAllStandardOutput().contains("_NET_WM_STATE_ABOVE");
}

} // namespace

void AlarmWindowDesktopTest::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    FSink = std::make_unique<NullSink>();
}

AlarmWindowDesktopTest::OnScreen AlarmWindowDesktopTest::Look(const AlarmRecord& r, QWidget* (*clickTarget)(AlarmWindow&),
    const QString& screenshotName)
{
    AlarmWindow window;
    PresentationDriver driver(window);
    OnScreen result;
    driver.Present(r, [&] {
        if (!QTest::qWaitForWindowExposed(&window)) {
            window.close();
            return;
        }
        const QRect client(window.mapToGlobal(QPoint(0, 0)), window.size());
        result.painted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int attempt = 0; attempt < 25 && !result.seenAsPainted; ++attempt) {
            QTest::qWait(200);
            result.seenAsPainted = SamePixels(Screenshot(screenshotName).copy(client), result.painted);
        }
        result.offCentre = client.center() - window.screen()->availableGeometry().center();
        result.staysOnTop = HasStayOnTopState(window);
        result.pictureArea = PartOf<QLabel>(window, "Image1")->geometry();
        result.errorArea = PartOf<QLabel>(window, "lblError")->geometry();
        QTest::mouseClick(clickTarget(window), Qt::LeftButton);
    });
    return result;
}

void AlarmWindowDesktopTest::pictureAlarmShowsThePicture()
{
    const QByteArray jpeg = EncodeJpeg(TestPicture(), 90);
    FFolder.write(QStringLiteral("picture.jpg"), jpeg);
    const OnScreen shown = Look(PictureAlarm(QStringLiteral("Picture"), FFolder.file(QStringLiteral("picture.jpg"))),
        [](AlarmWindow& window) -> QWidget* { return PartOf<QLabel>(window, "Image1"); }, QStringLiteral("picture-alarm.png"));

    QCOMPARE(shown.painted.copy(shown.pictureArea), DecodeJpeg(jpeg).convertToFormat(QImage::Format_RGB32));
    QVERIFY(shown.seenAsPainted);
    QVERIFY(shown.staysOnTop);
    // Centred; the window manager's title bar moves the client area down a
    // little.
    QVERIFY2(qAbs(shown.offCentre.x()) <= 2 && qAbs(shown.offCentre.y()) <= 30,
        qPrintable(QStringLiteral("%1, %2").arg(shown.offCentre.x()).arg(shown.offCentre.y())));
}

void AlarmWindowDesktopTest::textAlarmShowsTheText()
{
    const OnScreen shown = Look(PictureAlarm(QStringLiteral("Stand up"), QString()),
        [](AlarmWindow& window) -> QWidget* { return PartOf<QLabel>(window, "StaticText1"); }, QStringLiteral("text-alarm.png"));

    QVERIFY(shown.seenAsPainted);
    QVERIFY(shown.staysOnTop);
    QVERIFY2(qAbs(shown.offCentre.x()) <= 2 && qAbs(shown.offCentre.y()) <= 30,
        qPrintable(QStringLiteral("%1, %2").arg(shown.offCentre.x()).arg(shown.offCentre.y())));
    // The text is drawn in the highlight colour, 30 pixels high.
    const QRgb highlight = QGuiApplication::palette().color(QPalette::Highlight).rgb();
    int highlightRows = 0;
    for (int y = 0; y < shown.painted.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(shown.painted.constScanLine(y));
        highlightRows += std::any_of(row, row + shown.painted.width(), [highlight](QRgb pixel) { return pixel == highlight; });
    }
    QVERIFY2(highlightRows >= 15, qPrintable(QString::number(highlightRows)));
}

void AlarmWindowDesktopTest::badSoundShowsThePictureAndTheReason()
{
    const QByteArray jpeg = EncodeJpeg(TestPicture(), 90);
    FFolder.write(QStringLiteral("picture.jpg"), jpeg);
    FFolder.write(QStringLiteral("notes.mp3"), "Buy milk.\n");
    const OnScreen shown = Look(PictureAlarm(QStringLiteral("Picture"), FFolder.file(QStringLiteral("picture.jpg")),
                                    FFolder.file(QStringLiteral("notes.mp3")), 1),
        [](AlarmWindow& window) -> QWidget* { return PartOf<QLabel>(window, "Image1"); }, QStringLiteral("bad-sound-alarm.png"));

    QVERIFY(shown.seenAsPainted);
    QVERIFY(shown.staysOnTop);
    // The picture, and under it a line of text on the window's background.
    const QImage picture = DecodeJpeg(jpeg).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.painted.copy(shown.pictureArea), picture);
    QVERIFY(shown.errorArea.top() > shown.pictureArea.bottom());
    const QImage below = shown.painted.copy(shown.errorArea);
    const QRgb background = below.pixel(0, 0);
    int inkRows = 0;
    for (int y = 0; y < below.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(below.constScanLine(y));
        inkRows += std::any_of(row, row + below.width(), [background](QRgb pixel) { return pixel != background; });
    }
    QVERIFY2(inkRows >= 8, qPrintable(QString::number(inkRows)));
}

void AlarmWindowDesktopTest::soundBeginsAsTheWindowAppears()
{
    const QString sound = WriteTone(FFolder, QStringLiteral("second.wav"), 1.0);
    AlarmWindow window;
    PresentationDriver driver(window);
    // The first paint of the window: the compositor shows it with its next
    // frame.
    qint64 painted = -1;
    struct PaintFilter : QObject {
        qint64& painted;
        NullSink& sink;
        PaintFilter(qint64& painted, NullSink& sink) : painted(painted), sink(sink) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && painted < 0)
                painted = sink.Now();
            return false;
        }
    } paintFilter(painted, *FSink);
    window.installEventFilter(&paintFilter);
    FSink->StartRecording();
    const qint64 presented = FSink->Now();
    bool heard = false;

    QVERIFY(driver.Present(PictureAlarm(QStringLiteral("Listen"), QString(), sound), [&] {
        heard = QTest::qWaitFor([&] { return FSink->FirstSound(presented, 10) >= 0; });
        QTest::mouseClick(PartOf<QLabel>(window, "StaticText1"), Qt::LeftButton);
    }));
    FSink->StopRecording();
    QVERIFY(heard);
    QVERIFY(painted >= 0);
    qInfo("The sound began %lld ms after the window's first paint.", FSink->FirstSound(presented, 10) - painted);
}

void AlarmWindowDesktopTest::pictureLargerThanTheScreenIsFittedIntoTheWorkArea()
{
    // 5000 x 4000 on a 1280 x 1024 screen whose tray takes a strip at the top.
    QImage huge(5000, 4000, QImage::Format_RGB888);
    huge.fill(QColor(30, 90, 200));
    FFolder.write(QStringLiteral("huge.jpg"), EncodeJpeg(huge, 90));
    AlarmWindow window;
    PresentationDriver driver(window);
    QRect frame;
    QRect workArea;
    QSize picture;
    QVERIFY(driver.Present(PictureAlarm(QStringLiteral("Huge"), FFolder.file(QStringLiteral("huge.jpg"))), [&] {
        if (QTest::qWaitForWindowExposed(&window))
            QTest::qWait(500); // the window manager's frame arrives after the window
        frame = window.frameGeometry();
        workArea = window.screen()->availableGeometry();
        picture = PartOf<QLabel>(window, "Image1")->pixmap().size();
        QTest::mouseClick(PartOf<QLabel>(window, "Image1"), Qt::LeftButton);
    }));
    const QString shown = QStringLiteral("frame %1,%2 %3x%4 in the work area %5,%6 %7x%8, picture %9x%10")
                              .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                              .arg(workArea.x()).arg(workArea.y()).arg(workArea.width()).arg(workArea.height())
                              .arg(picture.width()).arg(picture.height());
    QVERIFY2(workArea.contains(frame), qPrintable(shown));
    QVERIFY2(qAbs(picture.width() * 4 - picture.height() * 5) <= 5, qPrintable(shown));
    // As large as fits: the frame meets the work area's edges on one axis.
    QVERIFY2(frame.width() >= workArea.width() - 2 || frame.height() >= workArea.height() - 2, qPrintable(shown));
}

void AlarmWindowDesktopTest::documentOpensInItsRegisteredApplication()
{
    // A private opener registered for plain text writes down what it was
    // asked to open.
    const QString opener = FFolder.file(QStringLiteral("opener.sh"));
    const QString marker = FFolder.file(QStringLiteral("opened.txt"));
    FFolder.write(QStringLiteral("opener.sh"), QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n").arg(marker).toUtf8());
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    FFolder.write(QStringLiteral("data/applications/vellamor-test-opener.desktop"),
        QStringLiteral("[Desktop Entry]\nType=Application\nName=Test opener\nExec=%1 %f\nMimeType=text/plain;\n")
            .arg(opener)
            .toUtf8());
    FFolder.write(QStringLiteral("config/mimeapps.list"),
        "[Default Applications]\ntext/plain=vellamor-test-opener.desktop\n");
    qputenv("XDG_DATA_HOME", FFolder.file(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", FFolder.file(QStringLiteral("config")).toUtf8());
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");

    const QString document = FFolder.file(QStringLiteral("Quarterly report.txt"));
    FFolder.write(QStringLiteral("Quarterly report.txt"), "Figures\n");
    AlarmWindow window;
    PresentationDriver driver(window);
    QVERIFY(driver.Present(DocumentAlarm(QStringLiteral("Report"), document)));
    QVERIFY(!driver.WasShown());
    QTRY_COMPARE_WITH_TIMEOUT(FFolder.read(QStringLiteral("opened.txt")), document.toUtf8(), 15000);
}

QTEST_MAIN(AlarmWindowDesktopTest)
#include "AlarmWindowDesktopTest.moc"
