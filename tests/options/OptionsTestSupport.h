#pragma once

// What the options window's tests share: a clock that records what the
// window asks of it, the window's controls found by name, and the standard
// choosers and message boxes answered or recorded in place of the user.
#include "alarms/AlarmStore.h"
#include "app/ClockWindow.h"
#include "options/ClockCommands.h"
#include "options/ClockView.h"
#include "options/GalleryThumbnail.h"
#include "options/OptionsWindow.h"
#include "overlay/TextureBand.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/text/LocalClock.h"
#include "skins/Skin.h"
#include "tests/support/TempFolder.h"

#include <QComboBox>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

// The moment the clock reads while a test runs.
inline const QDateTime kOptionsTestNow(QDate(2026, 3, 4), QTime(10, 8, 30));

// Records the clock commands, and holds the texture band a clock shows.
struct RecordingClock : ClockCommands, ClockView {
    int applied = 0;
    int saved = 0;
    int closed = 0;
    TextureBand band;
    QString readoutFormat = QStringLiteral("h:mm:ss");

    void ApplySkin() override { ++applied; }
    void SaveSettings() override { ++saved; }
    void CloseClock() override { ++closed; }
    BandBrush bandBrush() const override { return band.Brush; }
    void setBandBrush(const BandBrush& brush) override { band.Brush = brush; }
    int bandTransparency() const override { return band.Transparency; }
    void setBandTransparency(int transparency) override { band.Transparency = transparency; }
    QString ReadoutFormat() const override { return readoutFormat; }
};

// A control of a window, found by its name as the user finds it by its
// caption.
template <typename Control>
Control* Find(const QWidget& window, const char* name)
{
    auto* control = window.findChild<Control*>(QLatin1String(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
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

// Shows a window and waits until it is the active one, as the user opens it.
inline void ShowActivated(QWidget& window)
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("the window %s did not become active", qPrintable(window.objectName()));
}

// The options window over a program folder that prepare fills, shown and
// activated as the user opens it.
struct OptionsFixture {
    TempFolder home;
    RecordingClock clock;
    ShownMessages shown;
    FileAnswers files;
    LocalClockSource previousClock = SetLocalClockSource([] { return kOptionsTestNow; });
    std::unique_ptr<AlarmStore> alarms;
    std::unique_ptr<OptionsWindow> window;

    explicit OptionsFixture(const std::function<void(const TempFolder&)>& prepare = [](const TempFolder&) {})
    {
        home.becomeProgramFolder();
        for (const char* folder : { "Screenshots", "Textures" })
            QDir(home.path()).mkdir(QLatin1String(folder));
        prepare(home);
        Skin = DefaultSkin();
        alarms = std::make_unique<AlarmStore>();
        window = std::make_unique<OptionsWindow>(clock, *alarms);
        window->SetClockView(&clock);
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


// The real clock window after its first tick at kOptionsTestNow, with the
// options window linked to it as the program links them, both shown.
struct ClockWithOptions {
    LocalClockSource previousClock = SetLocalClockSource([] { return kOptionsTestNow; });
    AlarmStore alarms;
    ClockWindow clock;
    OptionsWindow options { clock, alarms };

    ClockWithOptions()
    {
        clock.Timer1->stop();
        options.SetClockView(&clock);
        clock.setOptionsWindow(&options);
        ShowActivated(clock);
        clock.Timer1Timer();
        ShowActivated(options);
    }
    ~ClockWithOptions()
    {
        options.hide();
        clock.setOptionsWindow(nullptr);
        SetLocalClockSource(previousClock);
    }
};
