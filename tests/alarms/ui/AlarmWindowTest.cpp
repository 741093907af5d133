#include "alarms/AlarmMessage.h"
#include "alarms/ui/AlarmWindow.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/LocalFileOpener.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/sound/MediaPlayer.h"
#include "platform/text/DateTime.h"
#include "tests/alarms/ui/PresentationDriver.h"
#include "tests/support/NullSink.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToneFile.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// What is heard is judged in windows of this length.
constexpr int kWindowMs = 250;
constexpr int kOnsetWindowMs = 10;
// A restart leaves 100 to 250 ms of silence between two plays, even on a
// busy machine; the longest gap allowed leaves room for that.
constexpr qint64 kRestartGapMs = 750;
// A stopped sound falls silent within this time, the recording's delay
// included.
constexpr int kStopHeardWithinMs = 300;

QImage TestPicture()
{
    QImage picture(120, 80, QImage::Format_RGB888);
    picture.fill(QColor(200, 40, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            picture.setPixelColor(x, y, QColor(30, 160, 60));
    return picture;
}

// Whether anything is drawn on the area besides its background.
bool HasInk(const QImage& area)
{
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (area.pixel(x, y) != area.pixel(0, 0))
                return true;
    return false;
}

} // namespace

class AlarmWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void soundLengthClosesWhenThePlayEnds_data();
    void soundLengthClosesWhenThePlayEnds();
    void repeatIsHeardUntilTheTimeIsUp();
    void clickClosesAndStopsTheSoundAtOnce_data();
    void clickClosesAndStopsTheSoundAtOnce();
    void closingNeverEndsTheProgram();
    void pictureFillsTheWindow_data();
    void pictureFillsTheWindow();
    void textStandsInForAMissingPicture_data();
    void textStandsInForAMissingPicture();
    void soundFileThatIsAFolderMeansNoSound();
    void documentIsHandedToItsApplication();
    void documentThatCannotBeOpenedIsReported();
    void missingDocumentShowsTheName_data();
    void missingDocumentShowsTheName();
    void secondAlarmIsRefusedWhileOneIsShown();
    void badSoundStillShowsThePictureAndSaysWhy_data();
    void badSoundStillShowsThePictureAndSaysWhy();
    void badPictureShowsItsNameAndWhyWhileTheSoundPlays_data();
    void badPictureShowsItsNameAndWhyWhileTheSoundPlays();
    void snoozeClosesAndStopsTheSoundLikeAClick_data();
    void snoozeClosesAndStopsTheSoundLikeAClick();

private:
    bool Present(const AlarmRecord& r, const std::function<void()>& whileShown = {})
    {
        return FDriver->Present(r, whileShown);
    }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // The window is centred on the screen.
    bool IsCentred() const;
    // A later alarm still rings: its window comes up and a click ends it.
    void NextAlarmRings();

    TempFolder FFolder;
    // Every sound of these tests goes to it.
    std::unique_ptr<NullSink> FSink;
    std::unique_ptr<AlarmWindow> FWindow;
    std::unique_ptr<PresentationDriver> FDriver;
    ErrorPresenter FPreviousPresenter;
    QStringList FErrors;
    QStringList FOpenedDocuments;
};

void AlarmWindowTest::initTestCase()
{
    FSink = std::make_unique<NullSink>();
    WriteTone(FFolder, QStringLiteral("short.wav"), 0.3);
    WriteTone(FFolder, QStringLiteral("short.mp3"), 0.3);
    WriteTone(FFolder, QStringLiteral("second.wav"), 1.0);
    WriteTone(FFolder, QStringLiteral("long.wav"), 8.0);
    FFolder.write(QStringLiteral("truncated.wav"), FFolder.read(QStringLiteral("long.wav")).left(6000));
    FFolder.write(QStringLiteral("empty.wav"), QByteArray());
    FFolder.write(QStringLiteral("notes.mp3"), "Buy milk.\n");
    QDir().mkpath(FFolder.file(QStringLiteral("folder.wav")));

    const QByteArray jpeg = EncodeJpeg(TestPicture(), 90);
    FFolder.write(QStringLiteral("picture.jpg"), jpeg);
    FFolder.write(QStringLiteral("truncated.jpg"), jpeg.left(jpeg.size() / 2));
    FFolder.write(QStringLiteral("garbage.jpg"), "GIF89a, or so it says");
    QVERIFY(TestPicture().save(FFolder.file(QStringLiteral("picture.png"))));
    FFolder.write(QStringLiteral("garbage.png"), QByteArray(500, 'x'));
    FFolder.write(QStringLiteral("picture.xyz"), jpeg);
    FFolder.write(QStringLiteral("report.txt"), "Quarterly figures\n");

    FPreviousPresenter = SetErrorPresenter([this](const QString& message) {
        FErrors.append(message);
    });
}

void AlarmWindowTest::init()
{
    FWindow = std::make_unique<AlarmWindow>();
    FDriver = std::make_unique<PresentationDriver>(*FWindow);
    FErrors.clear();
    FOpenedDocuments.clear();
}

void AlarmWindowTest::cleanup()
{
    // Whatever happened, the next alarm must be able to ring.
    QVERIFY(!FWindow->isSoundPlaying());
    QVERIFY(!FWindow->isPresenting());
    QVERIFY(!FWindow->isVisible());
    FDriver.reset();
    FWindow.reset();
}

void AlarmWindowTest::cleanupTestCase()
{
    SetErrorPresenter(FPreviousPresenter);
}

bool AlarmWindowTest::IsCentred() const
{
    // Up to the frame around it: a new window does not know its frame's size
    // before it is first shown.
    const QPoint offset = FWindow->geometry().center() - FWindow->screen()->availableGeometry().center();
    const QPoint frame = FWindow->geometry().topLeft() - FWindow->frameGeometry().topLeft();
    return qAbs(offset.x()) <= frame.x() + 1 && qAbs(offset.y()) <= frame.y() + 1;
}

void AlarmWindowTest::NextAlarmRings()
{
    QString shownText;
    QVERIFY(Present(PictureAlarm(QStringLiteral("Next"), QString()), [&] {
        shownText = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    QCOMPARE(shownText, QStringLiteral(" Rinnnng... (Next) "));
}

void AlarmWindowTest::soundLengthClosesWhenThePlayEnds_data()
{
    QTest::addColumn<QString>("sound");
    QTest::newRow("wav") << "short.wav";
    QTest::newRow("mp3") << "short.mp3";
    QTest::newRow("truncated wav") << "truncated.wav";
}

void AlarmWindowTest::soundLengthClosesWhenThePlayEnds()
{
    QFETCH(QString, sound);
    QSignalSpy playEnds(PartOf<MediaPlayer>(*FWindow, "MediaPlayer1"), &MediaPlayer::Notify);
    bool presentingWithSound = false;
    bool timerOff = false;

    QVERIFY(Present(PictureAlarm(QStringLiteral("Tea"), FFolder.file(QStringLiteral("picture.jpg")), FFolder.file(sound)), [&] {
        presentingWithSound = FWindow->isSoundPlaying() && FWindow->isPresenting() && PartOf<MediaPlayer>(*FWindow, "MediaPlayer1")->IsPlaying();
        timerOff = !PartOf<QTimer>(*FWindow, "Timer1")->isActive();
    }));
    QVERIFY(FDriver->WasShown());
    QVERIFY(presentingWithSound);
    QVERIFY(timerOff);
    QCOMPARE(playEnds.count(), 1);
    QVERIFY(FErrors.isEmpty());
}

void AlarmWindowTest::repeatIsHeardUntilTheTimeIsUp()
{
    // "1 min": the window closes at the 62nd tick of its timer. The ticks
    // come every 100 ms here instead of every second, so a 1-second sound
    // restarts five times or more before the window closes.
    PartOf<QTimer>(*FWindow, "Timer1")->setInterval(100);
    QSignalSpy ticks(PartOf<QTimer>(*FWindow, "Timer1"), &QTimer::timeout);
    FSink->StartRecording();
    const qint64 presented = FSink->Now();
    qint64 shown = 0;

    QVERIFY(Present(PictureAlarm(QStringLiteral("Up"), QString(), FFolder.file(QStringLiteral("second.wav")), 1),
        [&] { shown = FSink->Now(); }));
    const qint64 closed = FSink->Now();
    QTest::qWait(kStopHeardWithinMs + kWindowMs);
    FSink->StopRecording();

    QVERIFY(FDriver->WasShown());
    QCOMPARE(ticks.count(), 62);
    QVERIFY(!PartOf<QTimer>(*FWindow, "Timer1")->isActive());
    const qint64 firstSound = FSink->FirstSound(presented, kOnsetWindowMs);
    QVERIFY2(firstSound >= 0, "nothing was heard");
    qInfo("The sound began %lld ms after the window appeared.", firstSound - shown);
    // Heard until the window closed, silent no longer than a restart takes.
    const qint64 longestSilence = FSink->LongestSilence(firstSound, closed, kWindowMs);
    QVERIFY2(longestSilence <= kRestartGapMs, qPrintable(QStringLiteral("silent for %1 ms").arg(longestSilence)));
    QVERIFY(!FSink->HeardAt(closed + kStopHeardWithinMs, kWindowMs));
}

void AlarmWindowTest::clickClosesAndStopsTheSoundAtOnce_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("staysOn");
    QTest::newRow("picture, sound length") << "picture.jpg" << 0;
    QTest::newRow("text, forever") << "" << 9999;
}

void AlarmWindowTest::clickClosesAndStopsTheSoundAtOnce()
{
    QFETCH(QString, picture);
    QFETCH(int, staysOn);
    QSignalSpy playEnds(PartOf<MediaPlayer>(*FWindow, "MediaPlayer1"), &MediaPlayer::Notify);
    bool heardBeforeClick = false;
    qint64 clicked = 0;
    const QString visualFile = picture.isEmpty() ? QString() : FFolder.file(picture);
    FSink->StartRecording();

    QVERIFY(Present(PictureAlarm(QStringLiteral("Go"), visualFile, FFolder.file(QStringLiteral("long.wav")), staysOn), [&] {
        heardBeforeClick = QTest::qWaitFor([&] { return FSink->FirstSound(FSink->Now() - 2 * kWindowMs, kWindowMs) >= 0; });
        clicked = FSink->Now();
        Click(picture.isEmpty() ? PartOf<QLabel>(*FWindow, "StaticText1") : PartOf<QLabel>(*FWindow, "Image1"));
    }));
    QTest::qWait(kStopHeardWithinMs + kWindowMs);
    FSink->StopRecording();
    QVERIFY(heardBeforeClick);
    QVERIFY(!FSink->HeardAt(clicked + kStopHeardWithinMs, kWindowMs));
    QVERIFY(!PartOf<MediaPlayer>(*FWindow, "MediaPlayer1")->IsPlaying());
    QVERIFY(!PartOf<QTimer>(*FWindow, "Timer1")->isActive());
    // Closed by the click, not by the end of the sound.
    QCOMPARE(playEnds.count(), 0);
}

void AlarmWindowTest::closingNeverEndsTheProgram()
{
    // The clock may be hidden in the tray, leaving the alarm window the only
    // one on screen. The program's own event loop runs here, since only
    // that one ends when its last window closes.
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, this, [this] {
        Present(PictureAlarm(QStringLiteral("Last"), QString()), [this] { Click(PartOf<QLabel>(*FWindow, "StaticText1")); });
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    QVERIFY(FDriver->WasShown());
    QCOMPARE(lastWindowClosed.count(), 0);
}

void AlarmWindowTest::pictureFillsTheWindow_data()
{
    QTest::addColumn<QString>("picture");
    QTest::newRow("jpeg") << "picture.jpg";
    QTest::newRow("png") << "picture.png";
}

void AlarmWindowTest::pictureFillsTheWindow()
{
    QFETCH(QString, picture);
    const QImage expected = picture.endsWith(u".jpg")
        ? DecodeJpeg(FFolder.read(picture)).convertToFormat(QImage::Format_RGB32)
        : TestPicture().convertToFormat(QImage::Format_RGB32);
    QImage shown;
    bool textHidden = false;
    bool centred = false;
    QSize clientSize;

    QString heading;
    AlarmRecord alarm = PictureAlarm(QStringLiteral("Pic"), FFolder.file(picture));
    alarm.AlarmTime = EncodeDateTime(QDate(2004, 1, 5), QTime(7, 30));
    QVERIFY(Present(alarm, [&] {
        shown = PartOf<QLabel>(*FWindow, "Image1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        textHidden = !PartOf<QLabel>(*FWindow, "StaticText1")->isVisible();
        centred = IsCentred();
        clientSize = PartOf<QLabel>(*FWindow, "Image1")->size();
        heading = PartOf<QLabel>(*FWindow, "lblAlarmTime")->text() + u'|' + PartOf<QLabel>(*FWindow, "lblAlarmName")->text();
        Click(PartOf<QLabel>(*FWindow, "Image1"));
    }));
    QVERIFY(textHidden);
    QVERIFY(centred);
    QCOMPARE(clientSize, QSize(120, 80));
    QCOMPARE(shown, expected);
    // Above it, the alarm's time and name.
    QCOMPARE(heading, AlarmTimeText(QTime(7, 30)) + QStringLiteral("|Pic"));
}

void AlarmWindowTest::textStandsInForAMissingPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::newRow("no picture") << "Wake up" << "" << " Rinnnng... (Wake up) ";
    QTest::newRow("blank picture name") << "Wake up" << "   " << " Rinnnng... (Wake up) ";
    QTest::newRow("name with colon") << "Tea: green" << "" << "  green) ";
    QTest::newRow("name with backslash") << "A\\B" << "" << " B) ";
    QTest::newRow("name full of both") << ":\\a:b\\:\\c" << "" << " c) ";
    QTest::newRow("missing picture") << "Sun" << "/home/ann/Pictures/sunrise.jpg" << " sunrise.jpg ";
    QTest::newRow("name in Greek") << QStringLiteral("Ξύπνα") << "" << QStringLiteral(" Rinnnng... (Ξύπνα) ");
    QTest::newRow("message in Russian and Japanese")
        << "Sun" << QStringLiteral("Пора вставать! 起きて 🌅") << QStringLiteral(" Пора вставать! 起きて 🌅 ");
    QTest::newRow("missing picture, other desktop") << "Sun" << "C:\\Pictures\\sunrise.jpg" << " sunrise.jpg ";
    QTest::newRow("picture name is a folder") << "Sun" << QDir::tempPath() << " " + QDir::tempPath().section(u'/', -1) + " ";
}

void AlarmWindowTest::textStandsInForAMissingPicture()
{
    QFETCH(QString, name);
    QFETCH(QString, picture);
    QFETCH(QString, text);
    QString shownText;
    bool pictureHidden = false;
    bool centred = false;
    bool timerOff = false;
    int clientWidth = 0;

    QVERIFY(Present(PictureAlarm(name, picture), [&] {
        shownText = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        pictureHidden = !PartOf<QLabel>(*FWindow, "Image1")->isVisible();
        centred = IsCentred();
        timerOff = !PartOf<QTimer>(*FWindow, "Timer1")->isActive();
        clientWidth = FWindow->width();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    QCOMPARE(shownText, text);
    QVERIFY(pictureHidden);
    QVERIFY(centred);
    QVERIFY(timerOff);
    // The whole text, the blanks around it included.
    QVERIFY(clientWidth >= PartOf<QLabel>(*FWindow, "StaticText1")->fontMetrics().horizontalAdvance(text));
    QCOMPARE(PartOf<QLabel>(*FWindow, "StaticText1")->font().pixelSize(), 30);
}

void AlarmWindowTest::soundFileThatIsAFolderMeansNoSound()
{
    bool silent = false;
    QVERIFY(Present(PictureAlarm(QStringLiteral("Hush"), QString(), FFolder.file(QStringLiteral("folder.wav")), 1), [&] {
        silent = !FWindow->isSoundPlaying() && FWindow->isPresenting() && !PartOf<QTimer>(*FWindow, "Timer1")->isActive();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    QVERIFY(silent);
    QVERIFY(FErrors.isEmpty());
}

void AlarmWindowTest::documentIsHandedToItsApplication()
{
    // Stands in for the desktop's application of the document.
    const LocalFileOpener previousOpener = SetLocalFileOpener(
        [this](const QString& file, const FailureReport&) { FOpenedDocuments.append(file); });
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(FFolder.path());

    const bool returned = Present(DocumentAlarm(QStringLiteral("Report"), FFolder.file(QStringLiteral("report.txt"))));
    const bool shownForIt = FDriver->WasShown();
    const bool flagsClear = !FWindow->isPresenting() && !FWindow->isSoundPlaying();
    Present(DocumentAlarm(QStringLiteral("Relative"), QStringLiteral("report.txt")));

    QDir::setCurrent(previousFolder);
    SetLocalFileOpener(previousOpener);
    QVERIFY(returned);
    QVERIFY(!shownForIt);
    QVERIFY(flagsClear);
    QCOMPARE(FOpenedDocuments, QStringList({ FFolder.file(QStringLiteral("report.txt")), QStringLiteral("report.txt") }));
    NextAlarmRings();
}

void AlarmWindowTest::documentThatCannotBeOpenedIsReported()
{
    // No application takes the document: it is said once the opener knows.
    const LocalFileOpener previousOpener = SetLocalFileOpener([](const QString&, const FailureReport& failed) {
        QTimer::singleShot(0, [failed] { failed(QStringLiteral("no application for it was found")); });
    });
    const QString document = FFolder.file(QStringLiteral("report.txt"));
    QVERIFY(Present(DocumentAlarm(QStringLiteral("Report"), document)));
    QVERIFY(!FDriver->WasShown());
    QTRY_COMPARE(FErrors,
        QStringList(QStringLiteral("Cannot open the document \"%1\": no application for it was found.").arg(document)));
    SetLocalFileOpener(previousOpener);
    NextAlarmRings();
}

void AlarmWindowTest::missingDocumentShowsTheName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << "Report" << "/home/ann/report.odt" << " Rinnnng... (Report)";
    QTest::newRow("no document, name with colon") << "Q3: figures" << "" << " Rinnnng... (Q3: figures)";
    QTest::newRow("folder") << "Report" << QDir::tempPath() << " Rinnnng... (Report)";
}

void AlarmWindowTest::missingDocumentShowsTheName()
{
    QFETCH(QString, name);
    QFETCH(QString, document);
    QFETCH(QString, text);
    QString shownText;
    QVERIFY(Present(DocumentAlarm(name, document), [&] {
        shownText = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    QCOMPARE(shownText, text);
    QVERIFY(FErrors.isEmpty());
}

void AlarmWindowTest::secondAlarmIsRefusedWhileOneIsShown()
{
    QString textBefore;
    QString textAfter;
    bool stillUp = false;
    QVERIFY(Present(PictureAlarm(QStringLiteral("First"), QString(), FFolder.file(QStringLiteral("long.wav")), 1), [&] {
        textBefore = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        FWindow->present(PictureAlarm(QStringLiteral("Second"), FFolder.file(QStringLiteral("picture.jpg"))), AlarmPresenter::Snoozing::NotOffered);
        FWindow->present(DocumentAlarm(QStringLiteral("Third"), FFolder.file(QStringLiteral("report.txt"))), AlarmPresenter::Snoozing::NotOffered);
        textAfter = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        stillUp = FWindow->isVisible() && FWindow->isSoundPlaying() && FWindow->isPresenting();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    QCOMPARE(textBefore, QStringLiteral(" Rinnnng... (First) "));
    QCOMPARE(textAfter, textBefore);
    QVERIFY(stillUp);
    QVERIFY(FErrors.isEmpty());
    NextAlarmRings();
}

void AlarmWindowTest::badSoundStillShowsThePictureAndSaysWhy_data()
{
    QTest::addColumn<QString>("sound");
    QTest::newRow("empty") << "empty.wav";
    QTest::newRow("not audio") << "notes.mp3";
}

void AlarmWindowTest::badSoundStillShowsThePictureAndSaysWhy()
{
    QFETCH(QString, sound);
    QImage shown;
    QRect errorArea;
    QRect pictureArea;
    QString errorText;
    bool silentPresentation = false;
    QVERIFY(Present(PictureAlarm(QStringLiteral("Bad"), FFolder.file(QStringLiteral("picture.jpg")), FFolder.file(sound), 1), [&] {
        shown = FWindow->grab().toImage().convertToFormat(QImage::Format_RGB32);
        errorArea = PartOf<QLabel>(*FWindow, "lblError")->isVisible() ? PartOf<QLabel>(*FWindow, "lblError")->geometry() : QRect();
        pictureArea = PartOf<QLabel>(*FWindow, "Image1")->geometry();
        errorText = PartOf<QLabel>(*FWindow, "lblError")->text();
        silentPresentation = FWindow->isPresenting() && !FWindow->isSoundPlaying() && !PartOf<QTimer>(*FWindow, "Timer1")->isActive();
        Click(PartOf<QLabel>(*FWindow, "Image1"));
    }));
    QVERIFY(FDriver->WasShown());
    QVERIFY(FErrors.isEmpty());
    QVERIFY(silentPresentation);
    // The picture at the top, the reason in a line under it.
    const QImage picture = DecodeJpeg(FFolder.read(QStringLiteral("picture.jpg"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(QRect(pictureArea.topLeft(), picture.size())), picture);
    QVERIFY2(errorText.startsWith(QStringLiteral("Cannot open the sound file \"%1\": ").arg(FFolder.file(sound))),
        qPrintable(errorText));
    QVERIFY(errorArea.top() >= pictureArea.bottom());
    QVERIFY(HasInk(shown.copy(errorArea)));
    NextAlarmRings();
}

void AlarmWindowTest::badPictureShowsItsNameAndWhyWhileTheSoundPlays_data()
{
    QTest::addColumn<QString>("picture");
    QTest::newRow("not a jpeg") << "garbage.jpg";
    QTest::newRow("truncated jpeg") << "truncated.jpg";
    QTest::newRow("not a png") << "garbage.png";
    QTest::newRow("unknown extension") << "picture.xyz";
}

void AlarmWindowTest::badPictureShowsItsNameAndWhyWhileTheSoundPlays()
{
    QFETCH(QString, picture);
    QString shownText;
    QString errorText;
    bool errorUnderText = false;
    bool heard = false;
    bool repeating = false;
    FSink->StartRecording();
    QVERIFY(Present(PictureAlarm(QStringLiteral("Bad"), FFolder.file(picture), FFolder.file(QStringLiteral("long.wav")), 1), [&] {
        shownText = PartOf<QLabel>(*FWindow, "StaticText1")->text();
        errorText = PartOf<QLabel>(*FWindow, "lblError")->isVisible() ? PartOf<QLabel>(*FWindow, "lblError")->text() : QString();
        errorUnderText = PartOf<QLabel>(*FWindow, "lblError")->geometry().top() >= PartOf<QLabel>(*FWindow, "StaticText1")->geometry().bottom();
        heard = QTest::qWaitFor([&] { return FSink->FirstSound(FSink->Now() - 2 * kWindowMs, kWindowMs) >= 0; });
        repeating = FWindow->isSoundPlaying() && PartOf<QTimer>(*FWindow, "Timer1")->isActive();
        Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }));
    FSink->StopRecording();
    QVERIFY(FDriver->WasShown());
    QVERIFY(FErrors.isEmpty());
    QCOMPARE(shownText, QStringLiteral(" %1 ").arg(picture));
    QVERIFY2(errorText.startsWith(QStringLiteral("Cannot load the picture %1: ").arg(FFolder.file(picture))),
        qPrintable(errorText));
    QVERIFY(errorUnderText);
    QVERIFY(heard);
    QVERIFY(repeating);
    NextAlarmRings();
}

QTEST_MAIN(AlarmWindowTest)
#include "AlarmWindowTest.moc"

void AlarmWindowTest::snoozeClosesAndStopsTheSoundLikeAClick_data()
{
    QTest::addColumn<bool>("offered");
    // A key ("S", "Enter"), a button ("Snooze", "Dismiss"), or a menu and
    // its item ("right-click:Snooze 10 minutes", "arrow:...": the Snooze
    // button's own menu).
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("closes");
    QTest::newRow("S key") << true << "S" << 5 << true;
    QTest::newRow("Enter") << true << "Enter" << 5 << true;
    QTest::newRow("Snooze button") << true << "Snooze" << 5 << true;
    QTest::newRow("right-click, 10 minutes") << true << "right-click:Snooze 10 minutes" << 10 << true;
    QTest::newRow("right-click, 15 minutes") << true << "right-click:Snooze 15 minutes" << 15 << true;
    QTest::newRow("Snooze button's arrow, 15 minutes") << true << "arrow:Snooze 15 minutes" << 15 << true;
    QTest::newRow("Dismiss button") << true << "Dismiss" << 0 << true;
    // A test of an alarm from the editor offers no snooze: Enter dismisses.
    QTest::newRow("not offered, S key") << false << "S" << 0 << false;
    QTest::newRow("not offered, right-click") << false << "right-click:Snooze 5 minutes" << 0 << false;
    QTest::newRow("not offered, Enter") << false << "Enter" << 0 << true;
}

void AlarmWindowTest::snoozeClosesAndStopsTheSoundLikeAClick()
{
    QFETCH(bool, offered);
    QFETCH(QString, how);
    QFETCH(int, minutes);
    QFETCH(bool, closes);
    bool heard = false;
    bool lineShown = false;
    bool buttonShown = false;
    bool closed = false;
    qint64 snoozed = 0;
    FSink->StartRecording();
    const auto snoozing = offered ? AlarmWindow::Snoozing::Offered : AlarmWindow::Snoozing::NotOffered;
    QVERIFY(FDriver->Present(PictureAlarm(QStringLiteral("Nap"), QString(), FFolder.file(QStringLiteral("long.wav")), 9999), [&] {
        heard = QTest::qWaitFor([&] { return FSink->FirstSound(FSink->Now() - 2 * kWindowMs, kWindowMs) >= 0; });
        lineShown = PartOf<QLabel>(*FWindow, "lblSnooze")->isVisible() && PartOf<QLabel>(*FWindow, "lblSnooze")->geometry().top() >= PartOf<QLabel>(*FWindow, "StaticText1")->geometry().bottom();
        buttonShown = PartOf<QToolButton>(*FWindow, "bbSnooze")->isVisible();
        snoozed = FSink->Now();
        const QString menuItem = how.section(u':', 1);
        if (how == u"S" || how == u"Enter") {
            QTest::keyClick(FWindow.get(), how == u"S" ? Qt::Key_S : Qt::Key_Return);
        } else if (how == u"Snooze" || how == u"Dismiss") {
            QTest::mouseClick(PartOf<QAbstractButton>(*FWindow, how == u"Snooze" ? "bbSnooze" : "bbDismiss"), Qt::LeftButton);
        } else {
            // The menu runs its own loop: its item is chosen from there.
            QTimer::singleShot(50, this, [&menuItem] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* action : menu->actions())
                        if (action->text() == menuItem)
                            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    menu->close(); // none such
                }
            });
            if (how.startsWith(u"arrow")) {
                PartOf<QToolButton>(*FWindow, "bbSnooze")->showMenu();
            } else {
                QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), FWindow->mapToGlobal(QPoint(5, 5)));
                QApplication::sendEvent(FWindow.get(), &rightClick);
            }
            QTest::qWait(100);
        }
        closed = !FWindow->isVisible();
        if (!closed)
            Click(PartOf<QLabel>(*FWindow, "StaticText1"));
    }, snoozing));
    QTest::qWait(kStopHeardWithinMs + kWindowMs);
    FSink->StopRecording();
    QVERIFY(heard);
    QCOMPARE(lineShown, offered);
    QCOMPARE(buttonShown, offered);
    QCOMPARE(closed, closes);
    QCOMPARE(FDriver->SnoozedMinutes(), minutes);
    QVERIFY(!FSink->HeardAt(snoozed + kStopHeardWithinMs, kWindowMs));
    QVERIFY(!PartOf<QTimer>(*FWindow, "Timer1")->isActive());
}
