// Hiding the clock where the desktop has no tray and the window system
// cannot give a minimised window back (the offscreen platform, as native
// Wayland): the clock is hidden, not minimised, after the user was told
// once, while it was still on screen, how to bring it back; a second start
// (showUp) does.
#include "app/ClockWindow.h"
#include "clock/ClockSettings.h"
#include "desktop/TrayIcon.h"
#include "platform/dialogs/Application.h"
#include "skins/LiveSkin.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QTest>
#include <QTimer>

class ClockHideTest : public QObject {
    Q_OBJECT

private slots:
    void hidingWithNoWayBackTellsOnceHowTheClockComesBack();
};

void ClockHideTest::hidingWithNoWayBackTellsOnceHowTheClockComesBack()
{
    QVERIFY(!TrayIcon::TrayAvailable());
    QStringList messages;
    bool shownWhileTold = false;
    ClockWindow* told = nullptr;
    const MessagePresenter previous = SetMessagePresenter([&](const QString& text) {
        messages.append(text);
        shownWhileTold = told && told->isVisible();
    });

    TempFolder home;
    home.becomeProgramFolder();
    LiveSkin liveSkin;
    ClockSettingsFile settings;
    ClockWindow clock(liveSkin, settings);
    told = &clock;
    clock.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    auto* const trayIcon = clock.findChild<TrayIcon*>();
    QVERIFY(trayIcon);
    QVERIFY(trayIcon->IconVisible());
    const auto menuItem = [&clock](const char* name) { return clock.findChild<QAction*>(QLatin1String(name)); };

    for (int round = 0; round < 2; ++round) {
        QTest::keyClick(&clock, Qt::Key_M);
        QVERIFY(menuItem("mHide")->isChecked());
        QVERIFY(!clock.isVisible());
        QVERIFY(!clock.isMinimized());
        QCOMPARE(messages.size(), 1);
        QVERIFY(shownWhileTold);
        QVERIFY(messages.front().contains(QStringLiteral("start Vellamor again or run \"vellamor-tool show\"")));

        // A second start brings it back, shown again.
        clock.showUp();
        QVERIFY(clock.isVisible());
        QVERIFY(menuItem("mShow")->isChecked());
    }
    SetMessagePresenter(previous);
}

QTEST_MAIN(ClockHideTest)
#include "ClockHideTest.moc"
