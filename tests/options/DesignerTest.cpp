// The skin designer driven through its widgets, as a user drives it, with
// the colour chooser's answer put in place of the user's. The clock is a
// recorder of what the window asks of it, except in the last tests, where the
// real clock window shows the change.
#include "alarms/ui/AlarmEditing.h"
#include "app/ClockWindow.h"
#include "clock/ClockSettings.h"
#include "options/ClockCommands.h"
#include "options/DesignerFields.h"
#include "options/OptionsWindow.h"
#include "overlay/OverlaySurface.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/LocalFileOpener.h"
#include "platform/text/LocalClock.h"
#include "platform/raster/Raster.h"
#include "skins/SkinFile.h"
#include "skins/SkinLimits.h"
#include "tests/options/OptionsTestSupport.h"
#include "tests/support/TempFolder.h"
#include "widgets/ColorButton.h"
#include "widgets/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

namespace {

struct RecordingEditor : AlarmEditing {
    bool editing = false;
    QStringList calls;
    bool isEditing() const override { return editing; }
    void endEditing() override
    {
        editing = false;
        calls << "endEditing";
    }
    void selectFirstIfNone() override { calls << "selectFirstIfNone"; }
    void setTimeFormat(bool twelveHour) override { calls << (twelveHour ? "setTimeFormat 12" : "setTimeFormat 24"); }
    void resetPickers() override { calls << "resetPickers"; }
};

// Stands in for the desktop's browser: records what the window asks it to
// open.
// The options window over a live skin holding the given skin, shown and
// activated as the user opens it. It counts the live skin's notices: each one
// redraws the clock.
struct Designer {
    TempFolder home;
    RecordingClock clock;
    RecordingEditor pages;
    ColourAnswer colours;
    SkinQuestionAnswers skinQuestions;
    LiveSkin liveSkin;
    std::unique_ptr<ClockSettingsFile> settings;
    std::unique_ptr<OptionsWindow> window;
    int skinChanges = 0;

    explicit Designer(const Skin& skin = DefaultSkin())
    {
        home.becomeProgramFolder();
        liveSkin.edit(skin);
        settings = std::make_unique<ClockSettingsFile>();
        settings->read();
        QObject::connect(&liveSkin, &LiveSkin::changed, [this] { ++skinChanges; });
        window = std::make_unique<OptionsWindow>(liveSkin, *settings, clock);
        window->placeAlarmEditor(new QWidget, pages);
        ShowActivated(*window);
    }

    const Skin& skin() const { return liveSkin.skin(); }

    template <typename Control>
    Control* control(const char* name) const
    {
        return Find<Control>(*window, name);
    }

    // Types into a box as the user does: the text selected, then each key.
    void type(const char* box, const QString& text) const
    {
        auto* spin = control<SpinEdit>(box);
        spin->setFocus();
        spin->findChild<QLineEdit*>()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClicks(spin, text);
    }
    // Moves the focus to the Done button.
    void leaveBox() const
    {
        control<QWidget>("bbDone")->setFocus();
        QCoreApplication::processEvents();
    }
};

// A radio button or check box reacts to clicks on its mark and caption only.
void ClickOnItsCaption(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

Skin SkinWith(const std::function<void(Skin&)>& change)
{
    Skin skin = DefaultSkin();
    change(skin);
    return skin;
}

} // namespace

class DesignerTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlStoresItsFieldAndRedraws()
    {
        Designer d;
        using Field = std::function<qint64(const Skin&)>;
        const struct {
            const char* control;
            Field field;
        } colours[] = {
            { "bbHourStC", [](const Skin& s) { return s.HourFirstColor; } },
            { "bbHourEndC", [](const Skin& s) { return s.HourLastColor; } },
            { "bbMinStC", [](const Skin& s) { return s.MinFirstColor; } },
            { "bbMinEndC", [](const Skin& s) { return s.MinLastColor; } },
            { "bbBgColor", [](const Skin& s) { return s.TicsBandColor; } },
            { "bbTicsColor", [](const Skin& s) { return s.TicsColor; } },
            { "bbSecColor", [](const Skin& s) { return s.SecColor; } },
            { "bbDigColor", [](const Skin& s) { return s.DigColor; } },
        };
        int red = 10;
        for (const auto& [name, field] : colours) {
            const int applied = d.skinChanges;
            const TColor before = TColor(field(d.skin()));
            d.colours.answer = MakeColor(++red, 20, 30);
            QTest::mouseClick(d.control<ColorButton>(name), Qt::LeftButton);
            QVERIFY2(d.colours.presets.last() == before, name); // the chooser starts at the colour
            QVERIFY2(field(d.skin()) == *d.colours.answer, name);
            QVERIFY2(d.control<ColorButton>(name)->Tag == *d.colours.answer, name);
            QVERIFY2(d.skinChanges == applied + 1, name);
        }

        const struct {
            const char* control;
            Field field;
            int stepped; // the default skin's value one arrow step up
        } boxes[] = {
            { "seHourMdC", [](const Skin& s) { return s.HourMiddlePos; }, 55 },
            { "seMinMdC", [](const Skin& s) { return s.MinMiddlePos; }, 55 },
            { "seInnerEdge", [](const Skin& s) { return s.InnerEdge; }, 51 },
            { "seOuterEdge", [](const Skin& s) { return s.OuterEdge; }, 61 },
            { "seTicsWidth", [](const Skin& s) { return s.TicsWidth; }, 4 },
            { "seSize", [](const Skin& s) { return s.ClockSize; }, 405 },
            { "seTransparency", [](const Skin& s) { return s.Transparency; }, 5 },
            { "seDigSize", [](const Skin& s) { return s.DigSize; }, 31 },
        };
        for (const auto& [name, field, stepped] : boxes) {
            const int applied = d.skinChanges;
            QTest::keyClick(d.control<SpinEdit>(name), Qt::Key_Up);
            QVERIFY2(field(d.skin()) == stepped, name);
            QVERIFY2(d.skinChanges == applied + 1, name);
        }

        const struct {
            const char* control;
            Field field;
        } lists[] = {
            { "cbSecStyle", [](const Skin& s) { return s.SecStyle; } },
            { "cbDigPosition", [](const Skin& s) { return s.DigPosition; } },
        };
        for (const auto& [name, field] : lists) {
            const int applied = d.skinChanges;
            d.control<QComboBox>(name)->setCurrentIndex(3);
            QVERIFY2(field(d.skin()) == 3, name);
            QVERIFY2(d.skinChanges == applied + 1, name);
        }

        auto* fonts = d.control<QComboBox>("cbFontNames");
        QVERIFY(fonts->count() > 1);
        fonts->setCurrentIndex(fonts->count() - 1);
        QCOMPARE(d.skin().DigFont.text(), fonts->currentText().left(30));

        ClickOnItsCaption(d.control<QCheckBox>("chkStayOnTop"));
        QVERIFY(d.settings->settings().stayOnTop);
        QCOMPARE(d.clock.saved, 0);
    }

    void shapeChoiceAndShapeShown_data()
    {
        QTest::addColumn<bool>("square");
        QTest::addColumn<bool>("rounded");
        QTest::addColumn<QString>("shown");
        QTest::newRow("circular") << false << false << "rbShapeCircular";
        QTest::newRow("square") << true << false << "rbShapeSquare";
        QTest::newRow("rounded") << true << true << "rbShapeRounded";
        QTest::newRow("rounded without square") << false << true << "rbShapeCircular";
    }
    void shapeChoiceAndShapeShown()
    {
        QFETCH(bool, square);
        QFETCH(bool, rounded);
        QFETCH(QString, shown);
        Designer d(SkinWith([&](Skin& s) {
            s.Square = square;
            s.Rounded = rounded;
        }));
        QVERIFY(d.control<QRadioButton>(qPrintable(shown))->isChecked());

        // Choosing a shape stores both fields, whatever the record held.
        const struct {
            const char* button;
            bool square, rounded;
        } choices[] = { { "rbShapeRounded", true, true }, { "rbShapeCircular", false, false },
            { "rbShapeSquare", true, false } };
        for (const auto& [button, square, rounded] : choices) {
            ClickOnItsCaption(d.control<QRadioButton>(button));
            QVERIFY2(d.skin().Square == square && d.skin().Rounded == rounded, button);
        }
    }

    void bandBoundariesBoundEachOther()
    {
        Designer d(SkinWith([](Skin& s) {
            s.InnerEdge = 30;
            s.OuterEdge = 70;
        }));
        auto* inner = d.control<SpinEdit>("seInnerEdge");
        auto* outer = d.control<SpinEdit>("seOuterEdge");
        // Set while the controls were filled.
        QCOMPARE(outer->minimum(), 29);
        QCOMPARE(inner->maximum(), 71);

        inner->setValue(60);
        QCOMPARE(outer->minimum(), 59);
        inner->setValue(30);
        outer->setValue(40);
        QCOMPARE(inner->maximum(), 41);
        QCOMPARE(d.skin().OuterEdge, 40);

        // The boundaries can cross by one.
        outer->setValue(30);
        QTest::keyClick(inner, Qt::Key_Up);
        QCOMPARE(d.skin().InnerEdge, 31);
        QCOMPARE(d.skin().OuterEdge, 30);
        QTest::keyClick(inner, Qt::Key_Up);
        QCOMPARE(d.skin().InnerEdge, 31); // no further
    }

    void nextSkinShowsItsOwnBoundaries()
    {
        Designer d(SkinWith([](Skin& s) {
            s.InnerEdge = 70;
            s.OuterEdge = 75;
        }));
        d.liveSkin.edit(SkinWith([](Skin& s) {
            s.InnerEdge = 80;
            s.OuterEdge = 85;
        }));
        QCOMPARE(d.control<SpinEdit>("seInnerEdge")->value(), 80);
        QCOMPARE(d.control<SpinEdit>("seOuterEdge")->value(), 85);
        QCOMPARE(d.control<SpinEdit>("seOuterEdge")->minimum(), 79);

        // Filled again with the same skin, as at the next opening of the
        // window: the boxes show no change, the bounds stay.
        d.liveSkin.edit(d.skin());
        QCOMPARE(d.control<SpinEdit>("seOuterEdge")->minimum(), 79);
        QCOMPARE(d.control<SpinEdit>("seInnerEdge")->maximum(), 86);
    }

    void typedValues_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("storedWhileTyping");
        QTest::addColumn<QString>("shownAfterLeaving");
        QTest::addColumn<int>("storedAfterLeaving");
        QTest::newRow("size beyond the box") << "seSize" << "2000" << 1000 << "1000" << 1000;
        QTest::newRow("size below the box") << "seSize" << "20" << 50 << "50" << 50;
        QTest::newRow("size erased") << "seSize" << "" << 50 << "50" << 50;
        QTest::newRow("size in the box") << "seSize" << "333" << 333 << "333" << 333;
        QTest::newRow("middle 30") << "seHourMdC" << "30" << 30 << "30" << 30;
        QTest::newRow("middle 0") << "seHourMdC" << "0" << 0 << "5" << 5;
        QTest::newRow("middle negative") << "seMinMdC" << "-7" << -7 << "5" << 5;
        QTest::newRow("middle erased") << "seMinMdC" << "" << 5 << "5" << 5;
        QTest::newRow("transparency above the box") << "seTransparency" << "80" << 80 << "50" << 50;
        QTest::newRow("transparency beyond a byte") << "seTransparency" << "300" << 255 << "50" << 50;
        QTest::newRow("transparency negative") << "seTransparency" << "-5" << 0 << "0" << 0;
    }
    void typedValues()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(int, storedWhileTyping);
        QFETCH(QString, shownAfterLeaving);
        QFETCH(int, storedAfterLeaving);
        Designer d;
        const auto stored = [&] {
            return box == "seSize"             ? d.skin().ClockSize
                : box == "seHourMdC"           ? d.skin().HourMiddlePos
                : box == "seMinMdC"            ? d.skin().MinMiddlePos
                                               : int(d.skin().Transparency);
        };
        const int applied = d.skinChanges;
        d.type(qPrintable(box), typed);
        auto* spin = d.control<SpinEdit>(qPrintable(box));
        QCOMPARE(spin->text(), typed);
        QCOMPARE(stored(), storedWhileTyping);
        // Each keystroke is a change that redraws the clock (an erased box
        // is one keystroke).
        QCOMPARE(d.skinChanges, applied + std::max<int>(1, int(typed.size())));

        d.leaveBox();
        QCOMPARE(spin->text(), shownAfterLeaving);
        QCOMPARE(stored(), storedAfterLeaving);
    }

    void lettersCannotBeTyped()
    {
        Designer d;
        d.type("seSize", "4a0b0");
        QCOMPARE(d.control<SpinEdit>("seSize")->text(), QString("400"));
        QCOMPARE(d.skin().ClockSize, 400);
    }

    void boxesKeepTheirRangesAndSteps()
    {
        Designer d;
        const struct {
            const char* box;
            int minimum, maximum, step;
            bool typing;
        } boxes[] = {
            { "seTransparency", 0, 50, 5, true },
            { "seSize", 50, 1000, 5, true },
            { "seHourMdC", 5, 95, 5, true },
            { "seMinMdC", 5, 95, 5, true },
            { "seTicsWidth", 1, 20, 1, false },
            { "seDigSize", 5, 100, 1, false },
        };
        for (const auto& [name, minimum, maximum, step, typing] : boxes) {
            auto* box = d.control<SpinEdit>(name);
            QVERIFY2(box->minimum() == minimum && box->maximum() == maximum, name);
            QVERIFY2(box->singleStep() == step, name);
            QVERIFY2(box->editorEnabled() == typing, name);
            box->setValue(maximum + 1000);
            QVERIFY2(box->value() == maximum, name);
        }
        // Only the arrows change a box that takes no typing.
        auto* ticsWidth = d.control<SpinEdit>("seTicsWidth");
        ticsWidth->setValue(3);
        QTest::keyClicks(ticsWidth, "9");
        QCOMPARE(ticsWidth->value(), 3);
    }

    // The command-line companion writes only what these boxes and lists can
    // show: its ranges are theirs (the band edges, which bound each other,
    // aside).
    void theToolKeepsToTheDesignersRanges()
    {
        Designer d;
        const auto fieldOf = [](std::int32_t Skin::* number) -> const SkinField& {
            for (const SkinField& field : kSkinFields)
                if (const auto* member = std::get_if<std::int32_t Skin::*>(&field.member); member && *member == number)
                    return field;
            qFatal("no field");
        };
        int checked = 0;
        for (const DesignerRow& row : DesignerRowsInStoreOrder()) {
            const QString control = QLatin1String(row.control);
            if (control == u"seInnerEdge" || control == u"seOuterEdge")
                continue;
            std::optional<SkinFieldLimits> limits;
            int minimum = 0;
            int maximum = 0;
            if (row.kind == DesignerKind::Number || row.kind == DesignerKind::Size) {
                limits = DesignerLimits(fieldOf(row.number));
                minimum = d.control<SpinEdit>(row.control)->minimum();
                maximum = d.control<SpinEdit>(row.control)->maximum();
            } else if (row.kind == DesignerKind::ItemIndex) {
                limits = DesignerLimits(fieldOf(row.number));
                maximum = d.control<QComboBox>(row.control)->count() - 1;
            } else if (row.kind == DesignerKind::Transparency) {
                limits = DesignerLimits(*FindSkinField("Transparency"));
                minimum = d.control<SpinEdit>(row.control)->minimum();
                maximum = d.control<SpinEdit>(row.control)->maximum();
            } else {
                continue;
            }
            QVERIFY2(limits && limits->minimum == minimum && limits->maximum == maximum, row.control);
            ++checked;
        }
        QCOMPARE(checked, 8);
    }

    void colourDialogCancelledStillStoresAndRedraws()
    {
        Designer d;
        d.colours.answer.reset();
        const int applied = d.skinChanges;
        QTest::mouseClick(d.control<ColorButton>("bbHourStC"), Qt::LeftButton);
        QCOMPARE(d.control<ColorButton>("bbHourStC")->Tag, DefaultSkin().HourFirstColor);
        QCOMPARE(d.skin(), DefaultSkin());
        QCOMPARE(d.skinChanges, applied + 1);
    }

    // A change of the live skin made elsewhere (a skin loaded, the clock's
    // size keys) shows in the designer, which then stores it as it shows it.
    void theDesignerShowsChangesMadeElsewhere()
    {
        Designer d;
        d.liveSkin.edit(SkinWith([](Skin& s) {
            s.SecColor = kOlive;
            s.ClockSize = 405;
        }));
        QCOMPARE(d.control<ColorButton>("bbSecColor")->Tag, kOlive);
        QCOMPARE(d.control<SpinEdit>("seSize")->value(), 405);
        QTest::keyClick(d.control<SpinEdit>("seTicsWidth"), Qt::Key_Up);
        QCOMPARE(d.skin().SecColor, kOlive);
        QCOMPARE(d.skin().ClockSize, 405);
    }

    void swatchFrameIsBlackOnlyTheFirstTime()
    {
        ColorButton button;
        button.Tag = kLime;
        const TColor buttonFace = FromQColor(button.palette().color(QPalette::Button));
        const auto pixelOf = [&](int x, int y) { return PixelAt(button.Glyph(), x, y); };
        const auto shownAlpha = [&](int x, int y) {
            return qAlpha(button.icon().pixmap(ColorButton::kGlyphSize).toImage().pixel(x, y));
        };

        PaintColorButton(button);
        QCOMPARE(button.Glyph().size(), QSize(28, 15));
        for (int y : { 0, 14 })
            QCOMPARE(pixelOf(0, y), buttonFace);
        for (const QPoint frame : { QPoint(1, 0), QPoint(27, 0), QPoint(1, 14), QPoint(27, 14), QPoint(14, 0) })
            QCOMPARE(pixelOf(frame.x(), frame.y()), kBlack);
        QCOMPARE(pixelOf(2, 1), kLime);
        QCOMPARE(pixelOf(26, 13), kLime);
        QCOMPARE(shownAlpha(0, 14), 0); // the lower-left pixel's colour is see-through
        QCOMPARE(shownAlpha(1, 0), 255);
        QCOMPARE(shownAlpha(14, 7), 255);

        button.Tag = kOlive;
        PaintColorButton(button);
        QCOMPARE(pixelOf(1, 0), buttonFace);
        QCOMPARE(pixelOf(27, 14), buttonFace);
        QCOMPARE(pixelOf(14, 7), kOlive);
        QCOMPARE(shownAlpha(1, 0), 0);
        QCOMPARE(shownAlpha(14, 7), 255);
    }

    void shapeClickAndDoneEndAnAlarmEdit()
    {
        Designer d;
        d.pages.editing = true;
        ClickOnItsCaption(d.control<QRadioButton>("rbShapeRounded"));
        QCOMPARE(d.pages.calls.count("endEditing"), 1);
        QVERIFY(d.window->isVisible());
        QCOMPARE(d.clock.saved, 0);

        d.pages.editing = true;
        QTest::mouseClick(d.control<QWidget>("bbDone"), Qt::LeftButton);
        QCOMPARE(d.pages.calls.count("endEditing"), 2);
        QCOMPARE(d.clock.saved, 1);
        QVERIFY(!d.window->isVisible());
        QCOMPARE(d.window->result(), int(QDialog::Accepted));
    }

    // "Close Clock" ends an alarm edit and closes the clock, which saves as
    // it closes.
    void closeClockEndsTheEditAndClosesTheClock()
    {
        Designer d;
        d.pages.editing = true;
        QTest::mouseClick(d.control<QWidget>("bbClose"), Qt::LeftButton);
        QCOMPARE(d.pages.calls.count("endEditing"), 1);
        QCOMPARE(d.clock.closed, 1);
        QVERIFY(!d.window->isVisible());
    }

    // Through the real program: with a settings file that cannot be written,
    // "Close Clock" says so once and the clock closes all the same; the
    // alarms are saved.
    void closeClockClosesAlsoWhenTheSaveFails()
    {
        TempFolder home;
        home.becomeProgramFolder();
        QStringList errors;
        const ErrorPresenter previousErrors = SetErrorPresenter([&errors](const QString& error) { errors << error; });
        {
            ClockWithOptions running;
            QDir().mkpath(home.file("vellamor.ini")); // a folder where the settings go
            running.program.alarmStore().add(AlarmRecord {});
            QTest::mouseClick(Find<QWidget>(running.options, "bbClose"), Qt::LeftButton);
            QTRY_VERIFY(!running.clock.isVisible());
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors[0].startsWith("Unable to write to " + home.file("vellamor.ini") + ": it is a folder"), qPrintable(errors[0]));
            QCOMPARE(home.read("Alarm/Alarms.cfg").size(), qsizetype(kAlarmRecordSize));
        }
        SetErrorPresenter(previousErrors);
    }

    void escapeClosesWithoutSaving()
    {
        Designer d;
        d.type("seSize", "300");
        QCOMPARE(d.skin().ClockSize, 300);
        QTest::keyClick(d.control<SpinEdit>("seSize"), Qt::Key_Escape);
        QVERIFY(!d.window->isVisible());
        QCOMPARE(d.clock.saved, 0);
        QCOMPARE(d.skin().ClockSize, 300); // the change stays in effect
    }

    void fontOfTheSkinOrArial_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("selected");
        QTest::newRow("not installed") << "No Such Font 123" << "Arial";
        QTest::newRow("letter case differs") << "arial" << "Arial";
        QTest::newRow("installed") << "DejaVu Sans" << "DejaVu Sans";
    }
    void fontOfTheSkinOrArial()
    {
        QFETCH(QString, font);
        QFETCH(QString, selected);
        if (selected != "Arial" && !QFontDatabase::families().contains(selected))
            QSKIP("the font is not installed here");
        Designer d(SkinWith([&](Skin& s) { s.DigFont.setText(font); }));
        QCOMPARE(d.control<QComboBox>("cbFontNames")->currentText(), selected);
        QTest::keyClick(d.control<SpinEdit>("seDigSize"), Qt::Key_Up);
        QCOMPARE(d.skin().DigFont.text(), selected);
    }

    void fontListIsSortedAndHoldsArial()
    {
        Designer d;
        auto* fonts = d.control<QComboBox>("cbFontNames");
        QStringList names;
        for (int i = 0; i < fonts->count(); ++i)
            names << fonts->itemText(i);
        QVERIFY(names.contains("Arial"));
        for (int i = 1; i < names.size(); ++i)
            QVERIFY2(names[i - 1].compare(names[i], Qt::CaseInsensitive) <= 0, qPrintable(names[i]));
    }

    void indexOutsideAListLeavesNoSelection()
    {
        Designer d(SkinWith([](Skin& s) {
            s.SecStyle = 7;
            s.DigPosition = -3;
        }));
        QCOMPARE(d.control<QComboBox>("cbSecStyle")->currentIndex(), -1);
        QCOMPARE(d.control<QComboBox>("cbDigPosition")->currentIndex(), -1);
        QTest::keyClick(d.control<SpinEdit>("seTicsWidth"), Qt::Key_Up);
        QCOMPARE(d.skin().SecStyle, -1);
        QCOMPARE(d.skin().DigPosition, -1);
    }

    void theAlarmsPageAndTheReadoutFormatReachTheAlarmEditor()
    {
        Designer d;
        QVERIFY(d.pages.calls.contains("resetPickers"));
        d.pages.calls.clear();

        auto* pages = d.control<QTabWidget>("PageControl1");
        pages->setCurrentIndex(OptionsWindow::kAlarmsPage);
        QCOMPARE(d.pages.calls, QStringList({ "selectFirstIfNone" }));

        d.pages.calls.clear();
        ClickOnItsCaption(d.control<QRadioButton>("rbDigFormat24"));
        QCOMPARE(d.settings->settings().readoutFormatIndex, 1);
        ClickOnItsCaption(d.control<QRadioButton>("rbDigFormatAmPm"));
        d.settings->setReadoutFormatIndex(1); // a change of the settings from elsewhere
        QCOMPARE(d.pages.calls, QStringList({ "setTimeFormat 24", "setTimeFormat 12", "setTimeFormat 24" }));
        QVERIFY(d.control<QRadioButton>("rbDigFormat24")->isChecked());
    }

    // The status bar opens the manual; when nothing can open it, a message
    // says where the page is.
    void statusBarOpensTheManual()
    {
        Designer d;
        ShownMessages shown;
        QStringList opened;
        std::optional<QString> failure;
        const LocalFileOpener previous = SetLocalFileOpener([&](const QString& file, const FailureReport& failed) {
            opened << file;
            if (failure)
                failed(*failure);
        });
        auto* bar = d.control<QStatusBar>("StatusBar1");
        QCOMPARE(bar->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(bar->font().underline());
        QVERIFY(!bar->currentMessage().isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton);
        QCOMPARE(opened, QStringList({ OptionsWindow::ManualFile() }));
        QVERIFY(shown.messages.isEmpty());

        failure = "no application for it was found";
        QTest::mouseClick(bar, Qt::LeftButton);
        SetLocalFileOpener(previous);
        QCOMPARE(shown.messages, QStringList({ "Cannot open the manual: no application for it was found.\n\nIt is the page "
            + OptionsWindow::ManualFile() + "; open it in a web browser." }));

        QFile manual(OptionsWindow::ManualFile());
        QVERIFY(manual.open(QIODevice::ReadOnly));
        QVERIFY(manual.readAll().contains("~/.config/autostart/vellamor.desktop"));
    }

    void helpTellsHowToTurnAutostartOnAndOff()
    {
        Designer d;
        const QString autostart = d.control<QPlainTextEdit>("memoHelp")->toPlainText().simplified();
        QVERIFY(autostart.contains("\"vellamor-tool autostart on\""));
        QVERIFY(autostart.contains("\"vellamor-tool autostart off\""));
        QVERIFY(autostart.contains("~/.config/autostart/vellamor.desktop"));
    }

    // The help reflows with the window: paragraphs are lines of their own,
    // not cut at a width, and the box wraps them at its own.
    void helpReflowsWithTheWindow()
    {
        Designer d;
        auto* help = d.control<QPlainTextEdit>("memoHelp");
        QCOMPARE(help->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        for (const QString& line : help->toPlainText().split(u'\n'))
            QVERIFY2(!line.endsWith(u' '), qPrintable(line));
        QVERIFY(help->toPlainText().contains("the left mouse button or using arrow keys"));
    }

    // The real clock window follows the designer: the tics band of its face
    // takes the chosen colour; a cancelled chooser changes nothing on it;
    // Escape writes no settings file.
    void realClockShowsTheChange()
    {
        TempFolder home;
        home.becomeProgramFolder();
        const auto record = WriteSkinRecord(SkinWith([](Skin& s) { s.Square = false; }));
        home.write("default.clk", QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size())));
        const LocalClockSource previousClock
            = SetLocalClockSource([] { return QDateTime(QDate(2026, 3, 4), QTime(10, 14, 30)); });
        ColourAnswer colours;
        ClockWithOptions running;
        ClockWindow& clock = running.clock;
        OptionsWindow& options = running.options;
        const Skin& skin = running.program.liveSkin().skin();

        // On the middle band, between two tics.
        const auto bandPixel = [&] {
            const QImage& face = std::as_const(*clock.findChild<OverlaySurface*>()).scene().FacePicture;
            const double radius = face.width() / 2.0 * (skin.InnerEdge + skin.OuterEdge) / 200.0;
            const double angle = std::numbers::pi / 12;
            return PixelAt(face, int(face.width() / 2 + radius * std::cos(angle)),
                int(face.height() / 2 - radius * std::sin(angle)));
        };
        QCOMPARE(bandPixel(), DefaultSkin().TicsBandColor);

        colours.answer = kLime;
        QTest::mouseClick(Find<ColorButton>(options, "bbBgColor"), Qt::LeftButton);
        QCOMPARE(bandPixel(), kLime);
        colours.answer.reset();
        QTest::mouseClick(Find<ColorButton>(options, "bbBgColor"), Qt::LeftButton);
        QCOMPARE(bandPixel(), kLime);

        Find<SpinEdit>(options, "seSize")->setValue(300);
        QCOMPARE(clock.size(), QSize(300, 300));
        QTest::keyClick(&options, Qt::Key_Escape);
        QVERIFY(!options.isVisible());
        QVERIFY(!QFile::exists(home.file("vellamor.ini")));
        QCOMPARE(bandPixel(), kLime);
        SetLocalClockSource(previousClock);
    }
};

QTEST_MAIN(DesignerTest)
#include "DesignerTest.moc"
