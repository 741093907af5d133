#pragma once

// What the options window's tests share: a clock that records what the
// window asks of it, the window's controls found by name, and the standard
// choosers and message boxes answered or recorded in place of the user.
#include "app/ClockWindow.h"
#include "clock/ClockSettings.h"
#include "options/ClockCommands.h"
#include "options/ClockTextureBand.h"
#include "options/GalleryThumbnail.h"
#include "options/OptionsWindow.h"
#include "options/UnsavedSkinQuestion.h"
#include "overlay/OverlaySurface.h"
#include "overlay/TextureBand.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/text/LocalClock.h"
#include "program/ClockProgram.h"
#include "skins/LiveSkin.h"
#include "tests/support/TempFolder.h"
#include "widgets/RequiredChild.h"

#include <QComboBox>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

// The moment the clock reads while a test runs.
inline const QDateTime kOptionsTestNow(QDate(2026, 3, 4), QTime(10, 8, 30));

// Records what the options window asks of the program, and holds the
// texture band a clock shows.
struct RecordingClock : ClockCommands, ClockTextureBand {
    int saved = 0;
    int closed = 0;
    TextureBand band;

    void SaveSettings() override { ++saved; }
    void CloseClock() override { ++closed; }
    BandBrush bandBrush() const override { return band.Brush; }
    void setBandBrush(const BandBrush& brush) override { band.Brush = brush; }
    int bandTransparency() const override { return band.Transparency; }
    void setBandTransparency(int transparency) override { band.Transparency = transparency; }
};

// A control of a window, found by its name as the user finds it by its
// caption.
template <typename Control>
Control* Find(const QWidget& window, const char* name)
{
    return &RequiredChild<Control>(window, name);
}

// The colour chooser answers for the user while it lives.
struct ColourAnswer {
    std::optional<TColor> answer;
    QList<TColor> presets;
    ColorChooser previous = SetColorChooser([this](TColor initial) {
        presets << initial;
        return answer;
    });
    ~ColourAnswer() { SetColorChooser(previous); }
};

// The file choosers answer for the user while they live, and keep what
// they were asked.
struct FileAnswers {
    std::optional<QString> open;
    std::optional<QString> save;
    QList<OpenFileRequest> openRequests;
    QList<SaveFileRequest> saveRequests;
    OpenFileChooser previousOpen = SetOpenFileChooser([this](const OpenFileRequest& request) {
        openRequests << request;
        return open;
    });
    SaveFileChooser previousSave = SetSaveFileChooser([this](const SaveFileRequest& request) {
        saveRequests << request;
        return save;
    });
    ~FileAnswers()
    {
        SetOpenFileChooser(previousOpen);
        SetSaveFileChooser(previousSave);
    }
};

// The messages and errors shown while it lives, recorded instead of shown.
struct ShownMessages {
    QStringList messages;
    QStringList errors;
    MessagePresenter previousMessages = SetMessagePresenter([this](const QString& text) { messages << text; });
    ErrorPresenter previousErrors = SetErrorPresenter([this](const QString& text) { errors << text; });
    ~ShownMessages()
    {
        SetMessagePresenter(previousMessages);
        SetErrorPresenter(previousErrors);
    }
};

// The question about unsaved skin edits answered for the user while it
// lives (by default "Discard"); the questions asked are kept.
struct SkinQuestionAnswers {
    UnsavedSkinAnswer answer = UnsavedSkinAnswer::Discard;
    QList<UnsavedSkinQuestion> asked;
    UnsavedSkinPresenter previous = SetUnsavedSkinPresenter([this](const UnsavedSkinQuestion& question) {
        asked << question;
        return answer;
    });
    ~SkinQuestionAnswers() { SetUnsavedSkinPresenter(previous); }
};

// Shows a window and waits until it is the active one, as the user opens it.
inline void ShowActivated(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("the window %s did not become active", qPrintable(window.objectName()));
}

// The options window over a program folder that prepare fills, on the
// built-in skin and the folder's settings, shown and activated as the user
// opens it. It counts the live skin's notices: each one redraws the clock.
struct OptionsFixture {
    TempFolder home;
    RecordingClock clock;
    ShownMessages shown;
    FileAnswers files;
    SkinQuestionAnswers skinQuestions;
    LocalClockSource previousClock = SetLocalClockSource([] { return kOptionsTestNow; });
    std::unique_ptr<LiveSkin> liveSkin;
    std::unique_ptr<ClockSettingsFile> settings;
    std::unique_ptr<OptionsWindow> window;
    int skinChanges = 0;

    explicit OptionsFixture(const std::function<void(const TempFolder&)>& prepare = [](const TempFolder&) {})
    {
        home.becomeProgramFolder();
        for (const char* folder : { "Screenshots", "Textures" })
            QDir(home.path()).mkdir(QLatin1String(folder));
        prepare(home);
        liveSkin = std::make_unique<LiveSkin>();
        settings = std::make_unique<ClockSettingsFile>();
        settings->read();
        QObject::connect(liveSkin.get(), &LiveSkin::changed, [this] { ++skinChanges; });
        window = std::make_unique<OptionsWindow>(*liveSkin, *settings, clock);
        window->setClockBand(&clock);
        activate();
    }
    ~OptionsFixture()
    {
        window.reset();
        SetLocalClockSource(previousClock);
    }

    void activate() const { ShowActivated(*window); }

    template <typename Control>
    Control* control(const char* name) const
    {
        return Find<Control>(*window, name);
    }

    QStringList listed() const
    {
        QStringList names;
        auto* list = control<QComboBox>("cbSettings");
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        return names;
    }

    // Clicks a page's tab, as the user turns to it.
    void turnTo(int page) const
    {
        QTabBar* tabs = control<QTabWidget>("PageControl1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }

    QList<GalleryThumbnail*> thumbs() const { return window->findChildren<GalleryThumbnail*>(); }

    void saveSkinAs(const std::optional<QString>& answer) const
    {
        const_cast<FileAnswers&>(files).save = answer;
        QTest::mouseClick(control<QToolButton>("sbSaveSettings"), Qt::LeftButton);
    }
};


// The program as it starts on the current program folder, its clock after
// the first tick at kOptionsTestNow (ticks run by hand), its options window
// open.
struct ClockWithOptions {
    SkinQuestionAnswers skinQuestions;
    LocalClockSource previousClock = SetLocalClockSource([] { return kOptionsTestNow; });
    ClockProgram program;
    ClockWindow& clock;
    OptionsWindow& options;

    ClockWithOptions() : clock((program.start(), program.clockWindow())), options(program.optionsWindow())
    {
        clock.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        ShowActivated(clock);
        clock.tick();
        options.openOrRaise();
        ShowActivated(options);
    }
    ~ClockWithOptions() { SetLocalClockSource(previousClock); }

    // What the clock shows, composed now.
    QImage shown() const { return clock.findChild<OverlaySurface*>()->ComposedImage(); }
};
