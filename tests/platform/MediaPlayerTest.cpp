#include "platform/sound/MediaPlayer.h"
#include "platform/sound/SoundError.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToneFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

class MediaPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playsToTheEndEachTime_data();
    void playsToTheEndEachTime();
    void openRefusesWhatIsNoSound_data();
    void openRefusesWhatIsNoSound();
    void failedPlayEndsAtOnceWithItsError();
    void stopEndsThePlayWithoutNotice();

private:
    TempFolder FFolder;
};

void MediaPlayerTest::initTestCase()
{
    WriteTone(FFolder, QStringLiteral("tone.wav"), 0.4);
    WriteTone(FFolder, QStringLiteral("tone.mp3"), 0.4);
    const QString longWav = WriteTone(FFolder, QStringLiteral("long.wav"), 1.0);
    const QString longMp3 = WriteTone(FFolder, QStringLiteral("long.mp3"), 1.0);
    FFolder.write(QStringLiteral("truncated.wav"), FFolder.read(QStringLiteral("long.wav")).left(8000));
    FFolder.write(QStringLiteral("truncated.mp3"), FFolder.read(QStringLiteral("long.mp3")).left(4000));
    FFolder.write(QStringLiteral("empty.wav"), QByteArray());
    FFolder.write(QStringLiteral("text.mp3"), "This is a shopping list, not a sound.\n");
    QDir().mkpath(FFolder.file(QStringLiteral("folder.wav")));
    WriteTone(FFolder, QStringLiteral("two seconds.wav"), 2.0);
}

void MediaPlayerTest::playsToTheEndEachTime_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("soundMs");
    QTest::newRow("wav") << "tone.wav" << 400;
    QTest::newRow("mp3") << "tone.mp3" << 400;
    // A cut file plays what it holds.
    QTest::newRow("truncated wav") << "truncated.wav" << 0;
    QTest::newRow("truncated mp3") << "truncated.mp3" << 0;
}

void MediaPlayerTest::playsToTheEndEachTime()
{
    QFETCH(QString, name);
    QFETCH(int, soundMs);
    MediaPlayer player;
    QSignalSpy notices(&player, &MediaPlayer::Notify);
    player.SetFileName(FFolder.file(name));
    player.Open();

    // The second play starts where the first ended: at the end, so from the
    // start again.
    for (int play = 1; play <= 2; ++play) {
        QElapsedTimer playing;
        playing.start();
        player.Play();
        QVERIFY(player.IsPlaying());
        QVERIFY(notices.wait(10000));
        QCOMPARE(notices.count(), play);
        QVERIFY(player.ErrorString().isEmpty());
        QVERIFY(!player.IsPlaying());
        // Really played: the end comes no sooner than the sound lasts (with
        // a margin for the player's clock).
        QVERIFY2(playing.elapsed() >= soundMs * 3 / 4, qPrintable(QString::number(playing.elapsed())));
    }
}

void MediaPlayerTest::openRefusesWhatIsNoSound_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty file") << "empty.wav";
    QTest::newRow("not audio") << "text.mp3";
    QTest::newRow("folder") << "folder.wav";
    QTest::newRow("missing") << "missing.wav";
}

void MediaPlayerTest::openRefusesWhatIsNoSound()
{
    QFETCH(QString, name);
    MediaPlayer player;
    player.SetFileName(FFolder.file(name));
    try {
        player.Open();
        QFAIL("the file opened as a sound");
    } catch (const SoundError& error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Cannot open the sound file \"%1\": ").arg(FFolder.file(name))),
            qPrintable(error.message()));
    }
    QVERIFY(!player.IsPlaying());
}

void MediaPlayerTest::failedPlayEndsAtOnceWithItsError()
{
    MediaPlayer player;
    QSignalSpy notices(&player, &MediaPlayer::Notify);
    player.SetFileName(FFolder.file(QStringLiteral("text.mp3")));
    QVERIFY_THROWS_EXCEPTION(SoundError, player.Open());

    player.Play();
    QVERIFY(notices.wait(5000));
    QVERIFY2(player.ErrorString().startsWith(QStringLiteral("Cannot play the sound file \"%1\": ").arg(player.FileName())),
        qPrintable(player.ErrorString()));
    QVERIFY(!player.IsPlaying());
    // The player reports several errors for one failure; the play ends once.
    QTest::qWait(200);
    QCOMPARE(notices.count(), 1);
}

void MediaPlayerTest::stopEndsThePlayWithoutNotice()
{
    MediaPlayer player;
    QSignalSpy notices(&player, &MediaPlayer::Notify);
    player.SetFileName(FFolder.file(QStringLiteral("two seconds.wav")));
    player.Open();
    player.Play();
    QTest::qWait(100);
    QVERIFY(player.IsPlaying());

    player.Stop();
    QVERIFY(!player.IsPlaying());
    QTest::qWait(300);
    QCOMPARE(notices.count(), 0);
}

QTEST_MAIN(MediaPlayerTest)
#include "MediaPlayerTest.moc"
