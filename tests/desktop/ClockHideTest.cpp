// Hiding the clock where the desktop has no tray (the offscreen platform
// has none): the clock is minimised with its taskbar button kept, so that
// it stays reachable, and the user is told why, once.
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
    void hidingWithoutATrayKeepsTheTaskbarButtonAndTellsOnce();
};

void ClockHideTest::hidingWithoutATrayKeepsTheTaskbarButtonAndTellsOnce()
{
    QVERIFY(!TrayIcon::TrayAvailable());
    QStringList messages;
    const MessagePresenter previous = SetMessagePresenter([&](const QString& text) { messages.append(text); });

    TempFolder home;
    home.becomeProgramFolder();
    LiveSkin liveSkin;
    ClockSettingsFile settings;
    ClockWindow clock(liveSkin, settings);
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
        QVERIFY(clock.isMinimized());
        QVERIFY(!trayIcon->HideTask());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.front().contains(QStringLiteral("tray")));

        // Restored from the taskbar, the clock counts as shown again.
        clock.showNormal();
        QVERIFY(menuItem("mShow")->isChecked());
    }
    SetMessagePresenter(previous);
}

QTEST_MAIN(ClockHideTest)
#include "ClockHideTest.moc"
