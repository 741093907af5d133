// Hiding the clock where the desktop has no tray (the offscreen platform
// has none): the clock is minimised with its taskbar button kept, so that
// it stays reachable, and the user is told why, once.
#include "app/ClockWindow.h"
#include "desktop/TrayIcon.h"
#include "platform/dialogs/Application.h"

#include <QAction>
#include <QTest>

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

    ClockWindow clock;
    clock.Timer1->stop();
    clock.show();
    QVERIFY(QTest::qWaitForWindowExposed(&clock));
    QVERIFY(clock.Tray);
    QVERIFY(clock.Tray->IconVisible());

    for (int round = 0; round < 2; ++round) {
        clock.mHideClick();
        QVERIFY(clock.mHide->isChecked());
        QVERIFY(clock.isMinimized());
        QVERIFY(!clock.Tray->HideTask());
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.front().contains(QStringLiteral("tray")));

        // Restored from the taskbar, the clock counts as shown again.
        clock.showNormal();
        QVERIFY(clock.mShow->isChecked());
    }
    SetMessagePresenter(previous);
}

QTEST_MAIN(ClockHideTest)
#include "ClockHideTest.moc"
