// The skin list, "Save skin as..." and the gallery driven through the
// options window's widgets, with the file chooser answering for the user.
// The last test takes a snapshot with the real clock window and compares
// the file on disk with what the clock shows.
#include "alarms/AlarmStore.h"
#include "clock/ClockSnapshot.h"
#include "app/ClockWindow.h"
#include "clock/WindowShape.h"
#include "options/GalleryThumbnail.h"
#include "options/OptionsWindow.h"
#include "widgets/SpinEdit.h"
#include "overlay/OverlaySurface.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/text/LocalClock.h"
#include "platform/raster/Raster.h"
#include "skins/SkinFile.h"
#include "skins/SkinList.h"
#include "tests/options/OptionsTestSupport.h"
#include "tests/support/TempFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// A skin told apart from the others by its tics width.
Skin SkinOfSize(int size)
{
    Skin skin = DefaultSkin();
    skin.ClockSize = size;
    return skin;
}

Skin SkinWithTics(int width)
{
    Skin skin = DefaultSkin();
    skin.TicsWidth = width;
    return skin;
}

void WriteSkin(const TempFolder& home, const QString& name, Skin skin)
{
    QDir().mkpath(QFileInfo(home.file(name)).path());
    SaveSkinFile(home.file(name), skin, home.path());
}

// A snapshot of one colour.
void WriteSnapshotOf(const TempFolder& home, const QString& name, TColor colour)
{
    home.write("Screenshots/" + name, EncodeJpeg(NewRasterImage(QSize(300, 300), colour), 90));
}

int ChannelDistance(TColor a, TColor b)
{
    return std::max({ std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)), std::abs(BlueOf(a) - BlueOf(b)) });
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT

private slots:
    void skinListIsSortedAndPicksTheCurrentSkin()
    {
        OptionsFixture o([](const TempFolder& home) {
            WriteSkin(home, "ocean.clk", SkinWithTics(3));
            WriteSkin(home, "Default.clk", SkinWithTics(2));
            WriteSkin(home, "classic.clk", SkinWithTics(1));
            home.write("notes.txt", "not a skin");
        });
        auto* list = o.control<QComboBox>("cbSettings");
        QCOMPARE(o.listed(), QStringList({ "classic", "Default", "ocean" }));
        QCOMPARE(list->currentText(), QString("Default")); // no skin loaded yet: "default.clk"
        QCOMPARE(o.skinChanges, 0);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(o.liveSkin->skin(), SkinWithTics(3));
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file("ocean.clk"));
        QCOMPARE(o.control<SpinEdit>("seTicsWidth")->value(), 3); // the designer follows
        QCOMPARE(o.skinChanges, 1);

        // The list is made anew at each activation of the window.
        WriteSkin(o.home, "Beach.clk", SkinWithTics(4));
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        o.activate();
        QCOMPARE(o.listed(), QStringList({ "Beach", "classic", "Default", "ocean" }));
        QCOMPARE(list->currentText(), QString("ocean"));
        QCOMPARE(o.skinChanges, 1);
    }

    void galleryShowsTheSnapshotsOfListedSkins()
    {
        const TColor red = MakeColor(220, 30, 30), blue = MakeColor(30, 30, 220);
        OptionsFixture o([&](const TempFolder& home) {
            WriteSkin(home, "classic.clk", SkinWithTics(1));
            WriteSkin(home, "ocean.clk", SkinWithTics(3));
            WriteSnapshotOf(home, "Ocean.JPG", blue);
            WriteSnapshotOf(home, "old.jpg", kLime);
            WriteSnapshotOf(home, "Classic.jpg", red);
        });
        auto* box = o.control<QScrollArea>("ScrollBox1");
        QCOMPARE(box->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(o.thumbs().isEmpty());

        o.turnTo(OptionsWindow::kGalleryPage);
        const auto thumbs = o.thumbs();
        QCOMPARE(thumbs.size(), 2);
        QCOMPARE(thumbs[0]->toolTip(), QString("Classic.jpg"));
        QCOMPARE(thumbs[0]->skinName(), QString("classic"));
        QCOMPARE(thumbs[0]->geometry(), QRect(0, 0, 120, 138));
        QCOMPARE(thumbs[1]->toolTip(), QString("Ocean.JPG"));
        QCOMPARE(thumbs[1]->skinName(), QString("ocean"));
        QCOMPARE(thumbs[1]->geometry(), QRect(122, 0, 120, 138));
        QVERIFY(!thumbs[0]->isCurrent() && !thumbs[1]->isCurrent()); // the built-in skin is in effect

        // On the screen: the snapshots stretched over their squares, each
        // skin's name in white under it, the gallery's colour between and
        // beside them.
        QImage page = box->viewport()->grab().toImage();
        QVERIFY(ChannelDistance(FromQRgb(page.pixel(60, 60)), red) <= 8);
        QVERIFY(ChannelDistance(FromQRgb(page.pixel(122 + 119, 119)), blue) <= 8);
        for (const QPoint gallery : { QPoint(121, 60), QPoint(60, 139), QPoint(300, 60), QPoint(60, 200) })
            QCOMPARE(FromQRgb(page.pixel(gallery)), kGalleryColor);
        const auto whiteInk = [&page](QRect line) {
            int white = 0;
            for (int y = line.top(); y <= line.bottom(); ++y)
                for (int x = line.left(); x <= line.right(); ++x)
                    white += qGray(page.pixel(x, y)) > 200;
            return white;
        };
        QVERIFY(whiteInk(QRect(0, 121, 120, 16)) > 20);

        // A click on a thumbnail picks its skin and loads it; it is framed.
        QTest::mouseClick(thumbs[1], Qt::LeftButton);
        QCOMPARE(o.control<QComboBox>("cbSettings")->currentText(), QString("ocean"));
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file("ocean.clk"));
        QCOMPARE(o.liveSkin->skin(), SkinWithTics(3));
        QCOMPARE(o.skinChanges, 1);
        QVERIFY(o.shown.messages.isEmpty() && o.shown.errors.isEmpty());
        QVERIFY(thumbs[1]->isCurrent() && !thumbs[0]->isCurrent());
        page = box->viewport()->grab().toImage();
        QCOMPARE(FromQRgb(page.pixel(122 + 1, 60)), MakeColor(255, 204, 0));

        // The keys: the gallery starts on the skin in effect; Left moves to
        // the one before, Enter loads it.
        o.turnTo(0);
        o.turnTo(OptionsWindow::kGalleryPage);
        const auto again = o.thumbs();
        QTRY_VERIFY(again[1]->hasFocus());
        QTest::keyClick(again[1], Qt::Key_Left);
        QVERIFY(again[0]->hasFocus());
        QTest::keyClick(again[0], Qt::Key_Right);
        QTest::keyClick(again[1], Qt::Key_Left);
        QTest::keyClick(again[0], Qt::Key_Return);
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file("classic.clk"));
        QVERIFY(again[0]->isCurrent() && !again[1]->isCurrent());
    }

    // Three to a row, 122 pixels apart, rows 140 apart, and as many rows as
    // it takes: no snapshot with a skin is left out.
    void everySnapshotWithASkinTakesTheNextSlot()
    {
        constexpr int kSkins = 104;
        OptionsFixture o([](const TempFolder& home) {
            for (int i = 0; i < kSkins; ++i) {
                const QString name = QStringLiteral("skin%1").arg(i, 3, 10, QChar(u'0'));
                WriteSkin(home, name + ".clk", SkinWithTics(i % 20 + 1));
                WriteSnapshotOf(home, name + ".jpg", MakeColor(i, 100, 200));
            }
        });
        o.turnTo(OptionsWindow::kGalleryPage);
        const auto thumbs = o.thumbs();
        QCOMPARE(thumbs.size(), kSkins);
        const struct {
            int slot;
            QPoint at;
        } cases[] = { { 3, { 0, 140 } }, { 6, { 0, 280 } }, { 100, { 122, 4620 } }, { 103, { 122, 4760 } } };
        for (const auto& [slot, at] : cases) {
            QCOMPARE(thumbs[slot]->pos(), at);
            QCOMPARE(thumbs[slot]->toolTip(), QStringLiteral("skin%1.jpg").arg(slot, 3, 10, QChar(u'0')));
        }
        auto* box = o.control<QScrollArea>("ScrollBox1");
        QCOMPARE(box->widget()->size(), QSize(364, 35 * 140 - 2));
        box->ensureWidgetVisible(thumbs[103]);
        QTest::mouseClick(thumbs[103], Qt::LeftButton);
        QCOMPARE(o.control<QComboBox>("cbSettings")->currentText(), QString("skin103"));

        // Turning to the page again builds it anew; a snapshot gone, its
        // skin is drawn.
        o.turnTo(0);
        QFile::remove(o.home.file("Screenshots/skin000.jpg"));
        o.turnTo(OptionsWindow::kGalleryPage);
        QCOMPARE(o.thumbs().size(), kSkins);
        QCOMPARE(o.thumbs().back()->toolTip(), QString("skin000.clk")); // drawn, after the snapshots
    }

    void whatCannotBeShownIsToldAndTheRestIsShown()
    {
        OptionsFixture o([](const TempFolder& home) {
            for (const char* name : { "a", "broken", "c", "empty" })
                WriteSkin(home, QString::fromLatin1(name) + ".clk", SkinWithTics(1));
            WriteSnapshotOf(home, "a.jpg", kLime);
            home.write("Screenshots/broken.jpg", EncodeJpeg(NewRasterImage(QSize(300, 300), kLime), 90).left(900));
            WriteSnapshotOf(home, "c.jpg", kLime);
            home.write("Screenshots/empty.jpg", QByteArray());
        });
        o.turnTo(OptionsWindow::kGalleryPage);
        const auto thumbs = o.thumbs();
        // The snapshots first, then the skins whose snapshots cannot be
        // shown, drawn in their place.
        QCOMPARE(thumbs.size(), 4);
        QCOMPARE(thumbs[1]->toolTip(), QString("c.jpg"));
        QCOMPARE(thumbs[1]->pos(), QPoint(122, 0));
        QCOMPARE(thumbs[2]->toolTip(), QString("broken.clk"));
        QCOMPARE(thumbs[3]->toolTip(), QString("empty.clk"));
        QCOMPARE(o.shown.errors.size(), 1); // one message for all
        QVERIFY2(o.shown.errors[0].contains("broken.jpg") && o.shown.errors[0].contains("empty.jpg"),
            qPrintable(o.shown.errors[0]));

        // No Screenshots folder at all: every skin is drawn, unasked.
        o.turnTo(0);
        QDir(o.home.file("Screenshots")).removeRecursively();
        o.turnTo(OptionsWindow::kGalleryPage);
        QCOMPARE(o.thumbs().size(), 4);
        QVERIFY(o.shown.messages.isEmpty());
        QVERIFY(!QFileInfo::exists(o.home.file("Screenshots")));
    }

    // A skin without a snapshot is drawn as its snapshot would show it.
    void aSkinWithoutASnapshotIsDrawn()
    {
        OptionsFixture o([](const TempFolder& home) { WriteSkin(home, "plain.clk", SkinWithTics(2)); });
        o.turnTo(OptionsWindow::kGalleryPage);
        QCOMPARE(o.thumbs().size(), 1);
        const QImage expected = SnapshotPicture(SkinWithTics(2), kOptionsTestNow, QLatin1String(kDefaultAmPmFormat),
            o.control<QScrollArea>("ScrollBox1")->logicalDpiY())
                                    .Image.scaled(kThumbSide, kThumbSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(o.thumbs()[0]->picture().toImage().convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
        QTest::mouseClick(o.thumbs()[0], Qt::LeftButton);
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file("plain.clk"));
    }

    void saveSkinAsWritesTheSkinAndItsSnapshot()
    {
        OptionsFixture o([](const TempFolder& home) {
            WriteSkin(home, "classic.clk", SkinWithTics(1));
            WriteSkin(home, "default.clk", SkinWithTics(2));
        });
        QTest::keyClick(o.control<SpinEdit>("seTicsWidth"), Qt::Key_Up); // 3 -> 4, unsaved
        o.saveSkinAs(o.home.file("mine.clk"));

        QCOMPARE(o.files.saveRequests.size(), 1);
        const SaveFileRequest& request = o.files.saveRequests[0];
        QCOMPARE(request.title, QString("Save skin as"));
        QCOMPARE(request.file, o.home.file("default 2.clk")); // never the open file
        QCOMPARE(request.filter, QString("Clock Setting (*.clk)"));
        QCOMPARE(request.defaultSuffix, QString("clk"));
        QVERIFY(request.askBeforeOverwrite);

        const auto record = WriteSkinRecord(o.liveSkin->skin());
        QCOMPARE(o.home.read("mine.clk"), QByteArray(reinterpret_cast<const char*>(record.data()), 444));
        QCOMPARE(o.liveSkin->skin().TicsWidth, 4);
        QCOMPARE(o.listed(), QStringList({ "classic", "default", "mine" }));
        QCOMPARE(o.control<QComboBox>("cbSettings")->currentText(), QString("mine"));
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file("mine.clk"));
        const QImage snapshot = DecodeJpeg(o.home.read("Screenshots/mine.jpg"));
        QCOMPARE(snapshot.size(), QSize(300, 300));
        QCOMPARE(o.control<QTabWidget>("PageControl1")->currentIndex(), 0);

        // Again under the same name, without a snapshot: replaced, no
        // question asked, the old snapshot left alone.
        o.control<QCheckBox>("chkSnapshot")->setChecked(false);
        QTest::keyClick(o.control<SpinEdit>("seTicsWidth"), Qt::Key_Up);
        const QByteArray oldSnapshot = o.home.read("Screenshots/mine.jpg");
        o.saveSkinAs(o.home.file("mine.clk"));
        Skin written;
        QVERIFY(ReadSkinFile(o.home.file("mine.clk"), written, { false, 0, o.home.path() }));
        QCOMPARE(written.TicsWidth, 5);
        QCOMPARE(o.home.read("Screenshots/mine.jpg"), oldSnapshot);

        // Cancelled: nothing is written, nothing on the clock changes.
        const int changes = o.skinChanges;
        o.saveSkinAs(std::nullopt);
        QCOMPARE(o.skinChanges, changes);
        QCOMPARE(QDir(o.home.path()).entryList({ "*.clk" }).size(), 3);
    }

    void skinSavedElsewhereKeepsItsSnapshotInTheProgramFolder()
    {
        TempFolder elsewhere;
        OptionsFixture o([](const TempFolder& home) { WriteSkin(home, "default.clk", SkinWithTics(2)); });
        QDir(o.home.file("Screenshots")).removeRecursively(); // made when first needed
        o.saveSkinAs(elsewhere.file("away.clk"));
        QVERIFY(QFile::exists(elsewhere.file("away.clk")));
        QCOMPARE(DecodeJpeg(o.home.read("Screenshots/away.jpg")).size(), QSize(300, 300));
        QCOMPARE(o.listed(), QStringList({ "default" }));
        QCOMPARE(o.control<QComboBox>("cbSettings")->currentIndex(), -1);
        QCOMPARE(o.liveSkin->fileOrDefault(), elsewhere.file("away.clk"));
        QVERIFY(o.shown.errors.isEmpty());

        // A snapshot that cannot be written is told; the skin is saved.
        QDir(o.home.file("Screenshots")).removeRecursively();
        o.home.write("Screenshots", "a file where the folder should be");
        o.saveSkinAs(o.home.file("mine.clk"));
        QVERIFY(QFile::exists(o.home.file("mine.clk")));
        QCOMPARE(o.shown.errors.size(), 1);
        QVERIFY2(o.shown.errors[0].startsWith("The skin is saved, but its snapshot could not be written."),
            qPrintable(o.shown.errors[0]));
    }

    // What the user keeps: the snapshot on disk is what the clock shows,
    // within the JPEG's error, and the clock on the screen is left as it was.
    // With "Keep last clock size", a skin chosen from the list shows at its
    // own size until the user sets one; that size is kept from then on.
    void aChosenSkinTakesItsOwnSizeUntilTheUserSetsOne()
    {
        OptionsFixture o([](const TempFolder& home) {
            WriteSkin(home, "Tiny.clk", SkinOfSize(150));
            WriteSkin(home, "Classic.clk", SkinOfSize(400));
        });
        QVERIFY(o.settings->settings().keepSize);
        auto* list = o.control<QComboBox>("cbSettings");
        list->setCurrentIndex(list->findText("Tiny"));
        QCOMPARE(o.liveSkin->skin().ClockSize, 150);
        list->setCurrentIndex(list->findText("Classic"));
        QCOMPARE(o.liveSkin->skin().ClockSize, 400);

        o.control<SpinEdit>("seSize")->setValue(300);
        QCOMPARE(o.liveSkin->skin().ClockSize, 300);
        list->setCurrentIndex(list->findText("Tiny"));
        QCOMPARE(o.liveSkin->skin().ClockSize, 300);
        QVERIFY(o.skinQuestions.asked.isEmpty()); // a kept size is no edit of the skin
    }

    void snapshotOnDiskIsWhatTheRealClockShows()
    {
        TempFolder home;
        home.becomeProgramFolder();
        Skin skin = DefaultSkin();
        skin.Square = false;
        skin.ClockSize = 300;
        skin.Transparency = 30;
        skin.Texture.setText("6");
        skin.TextureColor = MakeColor(255, 0, 0);
        skin.TextureTransparency = 60;
        WriteSkin(home, "default.clk", skin);
        FileAnswers files;
        files.save = home.file("mine.clk");
        ClockWithOptions running;
        ClockWindow& clock = running.clock;
        OptionsWindow& options = running.options;
        Find<SpinEdit>(options, "seSize")->setValue(300);
        clock.tick(); // an ordinary tick: the readout and marker of this second
        const QRect geometry = clock.geometry();
        const double opacity = clock.windowOpacity();
        const Qt::WindowFlags flags = clock.windowFlags();

        QTest::mouseClick(Find<QToolButton>(options, "sbSaveSettings"), Qt::LeftButton);
        const QImage shown = running.shown();
        const QImage saved = DecodeJpeg(home.read("Screenshots/mine.jpg"));
        QCOMPARE(shown.size(), QSize(300, 300));
        QCOMPARE(saved.size(), QSize(300, 300));
        // The clock, and the gallery's colour where the window is cut away.
        const QImage outline = WindowOutline(shown.size(), ShapeOf(running.program.liveSkin().skin()));
        QImage expected = shown.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (!outline.pixelIndex(x, y))
                    expected.setPixel(x, y, ToQRgb(kGalleryColor));
        // The file holds that picture as a JPEG of quality 90 holds it:
        // decoded, it differs from it by JPEG's own error and nothing more.
        QCOMPARE(saved, DecodeJpeg(EncodeJpeg(expected, 90)));

        QCOMPARE(clock.geometry(), geometry);
        QCOMPARE(clock.windowOpacity(), opacity);
        QCOMPARE(clock.windowFlags(), flags);
    }
};

QTEST_MAIN(GalleryTest)
#include "GalleryTest.moc"
