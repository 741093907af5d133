// The tray icon's own logic, driven through the activations the tray
// reports (the offscreen platform has no tray): the click delay, double
// clicks, the tooltip, the icon and the menu's lifetime.
#include "desktop/TrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// Short, so that waiting for a click to be reported stays quick.
constexpr int kDoubleClickMs = 60;

} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void singleClickIsReportedOneDoubleClickIntervalAfterThePress();
    void doubleClickIsReportedAtOnceAndSwallowsTheClick();
    void pressesWithinOneClickMakeOneClick();
    void hintIsCutForTheTrayAndTravelsWithTheNextShow();
    void emptyIconShowsTheFallbackIcon();
    void iconVisibleTwiceShowsTheIcon();
    void destroyedMenuIsCleared();

private:
    void Report(QSystemTrayIcon::ActivationReason reason) { emit m_tray->activated(reason); }

    std::unique_ptr<QWidget> m_owner;
    TrayIcon* m_icon = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    QList<QObject*> m_clicks;
    QList<QObject*> m_doubleClicks;
};

void TrayIconTest::initTestCase()
{
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kDoubleClickMs);
}

void TrayIconTest::init()
{
    m_owner = std::make_unique<QWidget>();
    m_icon = new TrayIcon(m_owner.get());
    m_tray = m_icon->findChild<QSystemTrayIcon*>();
    QVERIFY(m_tray);
    m_clicks.clear();
    m_doubleClicks.clear();
    m_icon->OnClick = [this](QObject* sender) { m_clicks.append(sender); };
    m_icon->OnDblClick = [this](QObject* sender) { m_doubleClicks.append(sender); };
}

void TrayIconTest::cleanup()
{
    m_owner.reset();
}

void TrayIconTest::singleClickIsReportedOneDoubleClickIntervalAfterThePress()
{
    QCOMPARE(m_icon->ClickTimer().interval(), kDoubleClickMs);
    Report(QSystemTrayIcon::Trigger);
    QCoreApplication::processEvents();
    QVERIFY(m_clicks.isEmpty());
    QVERIFY(m_icon->ClickTimer().isActive());

    QTRY_COMPARE(m_clicks.size(), 1);
    QCOMPARE(m_clicks.front(), m_icon);
    QVERIFY(m_doubleClicks.isEmpty());
}

void TrayIconTest::doubleClickIsReportedAtOnceAndSwallowsTheClick()
{
    for (int round = 0; round < 2; ++round) {
        // The tray reports the first press, then the double click at the
        // second press.
        Report(QSystemTrayIcon::Trigger);
        Report(QSystemTrayIcon::DoubleClick);
        QCOMPARE(m_doubleClicks.size(), round + 1);
        QCOMPARE(m_doubleClicks.back(), m_icon);
        QTest::qWait(2 * kDoubleClickMs);
        QVERIFY(m_clicks.isEmpty());
    }

    // Nothing of the double clicks lingers to swallow a later click.
    Report(QSystemTrayIcon::Trigger);
    QTRY_COMPARE(m_clicks.size(), 1);
    QCOMPARE(m_doubleClicks.size(), 2);
}

void TrayIconTest::pressesWithinOneClickMakeOneClick()
{
    // Trays that report every press, none as a double click.
    Report(QSystemTrayIcon::Trigger);
    Report(QSystemTrayIcon::Trigger);
    QTRY_COMPARE(m_clicks.size(), 1);
    QTest::qWait(2 * kDoubleClickMs);
    QCOMPARE(m_clicks.size(), 1);
}

void TrayIconTest::hintIsCutForTheTrayAndTravelsWithTheNextShow()
{
    const QString hint = QString(70, u'h');
    m_icon->setHint(hint);
    QCOMPARE(m_icon->Hint(), hint);
    QCOMPARE(m_tray->toolTip(), hint.left(TrayIcon::kMaxHintLength));

    m_icon->setIconVisible(true);
    QCOMPARE(m_tray->toolTip().size(), 63);
    m_icon->setHint(QStringLiteral("Vellamor"));
    QCOMPARE(m_tray->toolTip(), QStringLiteral("Vellamor"));
}

void TrayIconTest::emptyIconShowsTheFallbackIcon()
{
    const QImage fallback = TrayIcon::FallbackIcon().pixmap(16).toImage();
    QVERIFY(!fallback.isNull());
    QCOMPARE(m_tray->icon().pixmap(16).toImage(), fallback);

    QPixmap red(16, 16);
    red.fill(Qt::red);
    m_icon->setIcon(QIcon(red));
    QCOMPARE(m_tray->icon().pixmap(16).toImage(), red.toImage());
    m_icon->setIcon(QIcon());
    QCOMPARE(m_tray->icon().pixmap(16).toImage(), fallback);
}

void TrayIconTest::iconVisibleTwiceShowsTheIcon()
{
    QVERIFY(!m_tray->isVisible());
    m_icon->setIconVisible(true);
    m_icon->setIconVisible(true);
    QVERIFY(m_icon->IconVisible());
    QVERIFY(m_tray->isVisible());
    m_icon->setIconVisible(false);
    QVERIFY(!m_tray->isVisible());
}

void TrayIconTest::destroyedMenuIsCleared()
{
    auto* first = new QMenu;
    auto* second = new QMenu;
    m_icon->setPopupMenu(first);
    QCOMPARE(m_tray->contextMenu(), first);

    // A menu given up earlier does not clear the one in use when it goes.
    m_icon->setPopupMenu(second);
    delete first;
    QCOMPARE(m_icon->PopupMenu(), second);
    QCOMPARE(m_tray->contextMenu(), second);

    delete second;
    QCOMPARE(m_icon->PopupMenu(), nullptr);
    QCOMPARE(m_tray->contextMenu(), nullptr);
    Report(QSystemTrayIcon::Context);
}

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
