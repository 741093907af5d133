// The texture chooser driven through its widgets from the designer's
// " Texture" button, with the colour and file choosers answering for the
// user. The band it edits is the recording clock's, except in the last test,
// where the real clock window shows each choice.
#include "app/ApplyTexture.h"
#include "app/ClockWindow.h"
#include "widgets/ColorButton.h"
#include "widgets/SpinEdit.h"
#include "options/TextureChooser.h"
#include "overlay/OverlaySurface.h"
#include "platform/raster/Raster.h"
#include "skins/PatternTiles.h"
#include "skins/SkinFile.h"
#include "skins/Texture.h"
#include "tests/options/OptionsTestSupport.h"
#include "tests/support/PictureFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);

using ChooserSteps = std::function<void(TextureChooser&)>;

// Runs steps in the chooser once it shows; the steps end by closing it.
// Should they not (a failed check), it is cancelled.
void WhenChooserShows(QWidget& owner, const ChooserSteps& steps)
{
    auto* poll = new QTimer(&owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &owner, steps] {
        auto* chooser = owner.findChild<TextureChooser*>();
        if (!chooser || !chooser->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        steps(*chooser);
        if (chooser->isVisible())
            chooser->reject();
    });
    poll->start(0);
}

// " Texture" clicked, the steps taken in the chooser.
void EditTextureWith(const QWidget& options, const ChooserSteps& steps)
{
    auto* button = Find<QPushButton>(options, "bbPattern");
    WhenChooserShows(*button->window(), steps);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Picks a row of the style list with the mouse.
void PickRow(TextureChooser& chooser, int row)
{
    auto* list = Find<QListWidget>(chooser, "LStyle");
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void Click(TextureChooser& chooser, const char* button)
{
    QTest::mouseClick(Find<QPushButton>(chooser, button), Qt::LeftButton);
}

// Steps the transparency box with its arrow keys.
void StepTransparency(TextureChooser& chooser, int steps)
{
    auto* box = Find<SpinEdit>(chooser, "SpinEdit1");
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(box, steps > 0 ? Qt::Key_Up : Qt::Key_Down);
}

int SelectedRow(TextureChooser& chooser)
{
    return Find<QListWidget>(chooser, "LStyle")->currentRow();
}

// The skin's Texture as the file stores it, not as loading completes it.
QString StoredTexture(const QByteArray& file)
{
    std::array<std::uint8_t, kSkinRecordSize> bytes {};
    std::copy_n(file.begin(), std::min<qsizetype>(file.size(), kSkinRecordSize), bytes.begin());
    return ReadSkinRecord(bytes).Texture.text();
}

// The options window over a skin whose texture was applied to the band, as
// the clock's full refresh leaves it.
struct Chooser : OptionsFixture {
    ColourAnswer colours;

    explicit Chooser(const QString& texture = QStringLiteral("6"), TColor colour = kBlue, int transparency = 80)
        : OptionsFixture([](const TempFolder& home) {
            home.write("Textures/stone.bmp", BmpBytes(NewRasterImage(QSize(4, 3), MakeColor(90, 80, 70))));
        })
    {
        Skin skin = liveSkin->skin();
        skin.Texture.setText(texture);
        skin.TextureColor = colour;
        skin.TextureTransparency = transparency;
        liveSkin->edit(skin);
        ApplyTexture(clock.band, *liveSkin);
        skinChanges = 0;
    }

    const Skin& skin() const { return liveSkin->skin(); }
    TextureState& texture() const { return liveSkin->texture(); }
};

} // namespace

class TextureChooserTest : public QObject {
    Q_OBJECT

private slots:
    void theFormAsTheUserSeesIt()
    {
        Chooser c;
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            QCOMPARE(chooser.windowTitle(), QString("Texture Editor"));
            QCOMPARE(chooser.size(), QSize(406, 191));
            auto* list = Find<QListWidget>(chooser, "LStyle");
            QCOMPARE(list->count(), 20);
            QCOMPARE(list->item(13)->text(), QString("Zig zag"));
            QCOMPARE(list->visualItemRect(list->item(0)).height(), 16);
            QCOMPARE(chooser.focusWidget(), list);
            QCOMPARE(SelectedRow(chooser), 6);
            QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("B&rowse..."));
            QCOMPARE(Find<QGroupBox>(chooser, "GroupBox1")->title(), QString(" Transperancy"));
            QCOMPARE(Find<QLabel>(chooser, "Image1")->size(), QSize(79, 59));
            QVERIFY(Find<QPushButton>(chooser, "Button2")->isDefault());
            auto* box = Find<SpinEdit>(chooser, "SpinEdit1");
            QCOMPARE(box->value(), 80);
            QVERIFY(box->minimum() == 0 && box->maximum() == 100 && box->singleStep() == 2);
            QTest::keyClicks(box, "5");
            QCOMPARE(box->value(), 80); // no typing
            QCOMPARE(Find<ColorButton>(chooser, "BColor")->Tag, kBlue);
        });
    }

    void crossRedAndFortyAreStoredOnOk()
    {
        Chooser c(QStringLiteral("2"), kBlue, 80);
        c.colours.answer = kRed;
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            PickRow(chooser, 6);
            QCOMPARE(c.clock.band.Brush.Style, BrushStyle::Cross); // the band shows it at once
            QTest::mouseClick(Find<ColorButton>(chooser, "BColor"), Qt::LeftButton);
            QCOMPARE(c.colours.presets, QList<TColor>({ kBlue }));
            QCOMPARE(c.clock.band.Brush.Color, kRed);
            QCOMPARE(Find<ColorButton>(chooser, "BColor")->Tag, kRed);
            StepTransparency(chooser, -20);
            QCOMPARE(c.clock.band.Transparency, 40);
            QCOMPARE(c.skin().Texture.text(), QString("2")); // nothing stored before OK
            Click(chooser, "Button2");
        });
        QCOMPARE(c.skin().Texture.text(), QString("6"));
        QCOMPARE(c.skin().TextureColor, TColor(0x0000FF));
        QCOMPARE(c.skin().TextureTransparency, 40);
        QCOMPARE(c.skinChanges, 0); // the band already shows it
    }

    void patternRowsShowTheirTileAtOnce()
    {
        Chooser c;
        QImage tile3;
        LoadPatternTile(2, tile3);
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            PickRow(chooser, 10);
            QCOMPARE(c.clock.band.Brush.Image, tile3);
            QCOMPARE(c.clock.band.Brush.Style, BrushStyle::Cross); // kept under the tile
            QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("Clea&r"));
            QVERIFY(!Find<QLabel>(chooser, "Image1")->pixmap().isNull());
            Click(chooser, "Button2");
        });
        QCOMPARE(c.skin().Texture.text(), QString("10"));
    }

    void patternChosenOverAPictureIsStored()
    {
        Chooser c(QStringLiteral("stone.bmp"));
        QCOMPARE(c.texture().file, c.home.file("Textures/stone.bmp"));
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("Clea&r")); // the picture reloaded
            PickRow(chooser, 13);
            Click(chooser, "Button2");
        });
        QCOMPARE(c.skin().Texture.text(), QString("13"));
        QVERIFY(c.texture().file.isEmpty());
    }

    // What shows once the picture is gone is the brush's hatch style, and
    // that is what OK stores, for a tile and a picture alike.
    void clearSelectsTheBrushsHatchRow()
    {
        for (const char* texture : { "7", "stone.bmp" }) {
            Chooser c(QString::fromLatin1(texture));
            c.clock.band.Brush.Style = BrushStyle::DiagCross;
            EditTextureWith(*c.window, [&](TextureChooser& chooser) {
                if (QLatin1String(texture) == "7")
                    PickRow(chooser, 13);
                Click(chooser, "Button1");
                QVERIFY(c.clock.band.Brush.Image.isNull());
                QCOMPARE(SelectedRow(chooser), 7);
                QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("B&rowse..."));
                QVERIFY(Find<QLabel>(chooser, "Image1")->pixmap().isNull());
                Click(chooser, "Button2");
            });
            QCOMPARE(c.skin().Texture.text(), QString("7"));
        }
    }

    void browsedPictureIsStoredByItsPathAndSavedByItsName()
    {
        Chooser c;
        const QString stone = c.home.file("Textures/stone.bmp");
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            Click(chooser, "Button1"); // the user cancels the browse
            QVERIFY(c.clock.band.Brush.Image.isNull());
            c.files.open = stone;
            Click(chooser, "Button1");
            QCOMPARE(c.clock.band.Brush.Image.size(), QSize(4, 3));
            QCOMPARE(c.texture().file, stone);
            QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("Clea&r"));
            Click(chooser, "Button2");
        });
        QCOMPARE(c.files.openRequests.size(), 2);
        QCOMPARE(c.files.openRequests[0].folder, c.home.file("Textures/"));
        QVERIFY(c.files.openRequests[0].filter.startsWith("Bitmaps (*.bmp)"));
        QCOMPARE(c.skin().Texture.text(), stone);
        c.liveSkin->saveAs(c.home.file("mine.clk"));
        QCOMPARE(StoredTexture(c.home.read("mine.clk")), QString("stone.bmp"));
    }

    void pictureThatCannotBeUsedChangesNothing()
    {
        Chooser c(QStringLiteral("12"));
        c.home.write("Textures/broken.bmp", "BM not a bitmap");
        const QString longPath = c.home.file(QString(130, u'p') + ".bmp");
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            Click(chooser, "Button1"); // clear the tile first
            for (const QString& picture : { c.home.file("Textures/broken.bmp"), longPath }) {
                c.files.open = picture;
                Click(chooser, "Button1");
                QVERIFY(c.clock.band.Brush.Image.isNull());
                QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("B&rowse..."));
            }
            Click(chooser, "Button2");
        });
        QCOMPARE(c.shown.errors.size(), 1);
        QVERIFY2(c.shown.errors[0].contains("broken.bmp"), qPrintable(c.shown.errors[0]));
        QCOMPARE(c.shown.messages.size(), 1);
        QVERIFY2(c.shown.messages[0].contains("at most 120 Western European characters"), qPrintable(c.shown.messages[0]));
        QCOMPARE(c.skin().Texture.text(), QString("6")); // the cross under the tile
    }

    void rememberedPictureThatIsGoneIsTold()
    {
        Chooser c(QStringLiteral("stone.bmp"));
        QFile::remove(c.home.file("Textures/stone.bmp"));
        const QImage kept = c.clock.band.Brush.Image;
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            QCOMPARE(c.clock.band.Brush.Image, kept);
            QCOMPARE(Find<QPushButton>(chooser, "Button1")->text(), QString("Clea&r"));
            Click(chooser, "Button3");
        });
        QCOMPARE(c.shown.messages, QStringList({ "Texture file not found." }));
    }

    void noneDisablesTheColourButton()
    {
        Chooser c(QStringLiteral("6"), kBlue, 30);
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            auto* colour = Find<ColorButton>(chooser, "BColor");
            PickRow(chooser, 1);
            QVERIFY(!colour->isEnabled());
            QVERIFY(c.clock.band.Brush.DrawsNothing());
            QCOMPARE(c.clock.band.Transparency, 30);
            PickRow(chooser, 13); // a tile shows the colour whatever the style
            QVERIFY(colour->isEnabled());
            Click(chooser, "Button2");
        });
        QCOMPARE(c.skin().TextureTransparency, 30);
    }

    // A style number that names no row (a skin made elsewhere) shows no
    // texture, and the list says so.
    void styleWithoutARowSelectsNone()
    {
        for (const int style : { -2, 20, 25 }) {
            Chooser c;
            c.texture().style = style;
            EditTextureWith(*c.window, [&](TextureChooser& chooser) { QCOMPARE(SelectedRow(chooser), 1); });
        }
    }

    void cancelEscapeAndCloseBoxPutEverythingBack_data()
    {
        QTest::addColumn<QString>("closer");
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("close box") << "close box";
    }
    void cancelEscapeAndCloseBoxPutEverythingBack()
    {
        QFETCH(QString, closer);
        Chooser c(QStringLiteral("stone.bmp"), kBlue, 70);
        const TextureBand band = c.clock.band;
        const Skin skin = c.skin();
        const QString file = c.texture().file;
        c.colours.answer = kRed;
        c.files.open = c.home.file("Textures/stone.bmp");
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            PickRow(chooser, 9);
            QTest::mouseClick(Find<ColorButton>(chooser, "BColor"), Qt::LeftButton);
            StepTransparency(chooser, -5);
            Click(chooser, "Button1"); // clear
            PickRow(chooser, 3);
            QVERIFY(!(c.clock.band == band));
            if (closer == "Cancel")
                Click(chooser, "Button3");
            else if (closer == "Escape")
                QTest::keyClick(&chooser, Qt::Key_Escape);
            else
                chooser.close();
            QVERIFY(!chooser.isVisible());
        });
        QVERIFY(c.clock.band == band);
        QCOMPARE(c.skin(), skin);
        QCOMPARE(c.texture().style, 0);
        QCOMPARE(c.texture().file, file);
    }

    // The list draws its samples: hatch lines in black with the row's
    // background in the gaps, tiles black on white, none for "None".
    void styleListDrawsItsSwatches()
    {
        Chooser c(QStringLiteral("6"));
        EditTextureWith(*c.window, [&](TextureChooser& chooser) {
            auto* list = Find<QListWidget>(chooser, "LStyle");
            const QImage shown = list->viewport()->grab().toImage();
            const auto at = [&](int row, int x, int y) {
                const QPoint corner = list->visualItemRect(list->item(row)).topLeft() + QPoint(2, 2);
                return FromQRgb(shown.pixel(corner + QPoint(x, y)));
            };
            const TColor base = FromQColor(list->palette().color(QPalette::Base));
            const TColor highlight = FromQColor(list->palette().color(QPalette::Highlight));
            QCOMPARE(at(3, 0, 3), kBlack);    // "Vertical": a line
            QCOMPARE(at(3, 3, 3), base);      // and a gap
            QCOMPARE(at(6, 3, 3), highlight); // the selected "Cross"
            QCOMPARE(at(6, 8, 3), kBlack);
            QCOMPARE(at(1, 0, 0), base);  // "None" has no sample
            QCOMPARE(at(8, 1, 1), kBlack); // "Fill 80%" ink
            QCOMPARE(at(8, 0, 0), kWhite);
            Click(chooser, "Button3");
        });
    }

    // The real clock shows each choice at once, and after OK its next full
    // refresh shows the same.
    void realClockShowsTheChoiceAtOnce()
    {
        TempFolder home;
        home.becomeProgramFolder();
        ColourAnswer colours;
        colours.answer = kRed;
        ClockWithOptions running;

        // Cross hatch lines lie on every eighth row and column.
        const QPoint gap(20, 20), line(24, 20);
        EditTextureWith(running.options, [&](TextureChooser& chooser) {
            PickRow(chooser, 6);
            QTest::mouseClick(Find<ColorButton>(chooser, "BColor"), Qt::LeftButton);
            StepTransparency(chooser, -40);
            const QImage shown = running.shown();
            QCOMPARE(PixelAt(shown, gap.x(), gap.y()), kRed);
            QCOMPARE(PixelAt(shown, line.x(), line.y()), kSilver);
            Click(chooser, "Button2");
        });
        const QImage chosen = running.shown().copy();
        // A change of the skin redraws everything from it.
        running.program.liveSkin().edit(running.program.liveSkin().skin());
        QCOMPARE(running.shown(), chosen);
    }
};

QTEST_MAIN(TextureChooserTest)
#include "TextureChooserTest.moc"
