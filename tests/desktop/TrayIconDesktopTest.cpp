// The tray icon in a real tray (the desktop session of the tests: Xvfb,
// openbox and trayer): real mouse events through the X server, the menu,
// and the taskbar state the window manager keeps.
#include "desktop/TrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <memory>

namespace {

// Long enough for two scripted clicks to make a double click.
constexpr int kDoubleClickMs = 300;
constexpr int kProcessMs = 5000;

void RunXdotool(const QStringList& arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    QVERIFY2(xdotool.waitForFinished(kProcessMs), "xdotool did not run");
    QCOMPARE(xdotool.exitCode(), 0);
}

// Holds a mouse button down for as long as it lives, so that a failed check
// never leaves the button pressed for later tests.
class ButtonDown {
public:
    explicit ButtonDown(int button) : m_button(QString::number(button))
    {
        RunXdotool({ QStringLiteral("mousedown"), m_button });
    }
    ~ButtonDown() { RunXdotool({ QStringLiteral("mouseup"), m_button }); }

private:
    const QString m_button;
};

xcb_connection_t* Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t Atom(const char* name)
{
    xcb_intern_atom_reply_t* reply
        = xcb_intern_atom_reply(Connection(), xcb_intern_atom(Connection(), 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// How often the window's _NET_WM_STATE holds the skip-taskbar state.
int SkipTaskbarCount(const QWidget& window)
{
    const auto id = xcb_window_t(window.windowHandle()->winId());
    const xcb_atom_t skipTaskbar = Atom("_NET_WM_STATE_SKIP_TASKBAR");
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection(),
        xcb_get_property(Connection(), 0, id, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 1024), nullptr);
    int count = 0;
    if (reply && reply->type == XCB_ATOM_ATOM) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        count = int(std::count(atoms, atoms + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t), skipTaskbar));
    }
    free(reply);
    return count;
}

// The count once the window manager has settled: while it forgets the state
// of a hidden window and takes the window in again, the property flickers.
int SettledSkipTaskbarCount(const QWidget& window)
{
    constexpr int kSettleMs = 200;
    const int before = SkipTaskbarCount(window);
    QTest::qWait(kSettleMs);
    const int after = SkipTaskbarCount(window);
    return before == after ? after : -1;
}

xcb_window_t ParentOf(xcb_window_t window)
{
    xcb_query_tree_reply_t* reply = xcb_query_tree_reply(Connection(), xcb_query_tree(Connection(), window), nullptr);
    const xcb_window_t parent = reply ? reply->parent : xcb_window_t(XCB_WINDOW_NONE);
    free(reply);
    return parent;
}

xcb_window_t Root()
{
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
}

// Where the window's origin is on the screen, as the X server has it (Qt
// learns it late for a window the tray has taken in).
QPoint ScreenPosition(xcb_window_t window)
{
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        Connection(), xcb_translate_coordinates(Connection(), window, Root(), 0, 0), nullptr);
    const QPoint position = reply ? QPoint(reply->dst_x, reply->dst_y) : QPoint();
    free(reply);
    return position;
}

// The innermost window under the mouse pointer.
xcb_window_t WindowAtPointer()
{
    xcb_window_t window = Root();
    for (;;) {
        xcb_query_pointer_reply_t* reply
            = xcb_query_pointer_reply(Connection(), xcb_query_pointer(Connection(), window), nullptr);
        const xcb_window_t child = reply ? reply->child : xcb_window_t(XCB_WINDOW_NONE);
        free(reply);
        if (child == XCB_WINDOW_NONE)
            return window;
        window = child;
    }
}

// The windows Qt shows in the tray, one per visible tray icon.
QList<QWidget*> TrayWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QSystemTrayIconSys") && widget->isVisible())
            windows.append(widget);
    return windows;
}

QWidget* VisibleMenu()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(widget) && widget->isVisible())
            return widget;
    return nullptr;
}

} // namespace

class TrayIconDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void iconVisibleTwiceAddsOneIconToTheTray();
    void clickIsReportedAfterTheDoubleClickInterval();
    void doubleClickIsReportedOnceWithoutAClick();
    void rightButtonOpensTheMenuOnlyWhenThereIsOne();
    void hideTaskKeepsTheButtonHiddenUntilCleared();

private:
    // An icon in the tray, with the mouse on the centre of its window.
    void ShowIcon();
    bool PointAt(const QWidget& trayWindow);

    std::unique_ptr<QWidget> m_owner;
    TrayIcon* m_icon = nullptr;
    QPoint m_centre;
    int m_clicks = 0;
    int m_doubleClicks = 0;
};

void TrayIconDesktopTest::initTestCase()
{
    QVERIFY2(QSystemTrayIcon::isSystemTrayAvailable(), "no tray on this display");
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kDoubleClickMs);
}

void TrayIconDesktopTest::cleanup()
{
    m_owner.reset();
    m_icon = nullptr;
    m_clicks = 0;
    m_doubleClicks = 0;
    QTRY_VERIFY(TrayWindows().isEmpty());
}

void TrayIconDesktopTest::ShowIcon()
{
    m_owner = std::make_unique<QWidget>();
    m_icon = new TrayIcon(m_owner.get());
    m_icon->OnClick = [this](QObject*) { ++m_clicks; };
    m_icon->OnDblClick = [this](QObject*) { ++m_doubleClicks; };
    m_icon->setIconVisible(true);
    QTRY_COMPARE(TrayWindows().size(), 1);
    QWidget* trayWindow = TrayWindows().front();
    // Embedded: the tray has taken the window in.
    QTRY_VERIFY(ParentOf(xcb_window_t(trayWindow->winId())) != Root());
    // The tray may still be placing the icon: aim until the mouse is on it.
    QTRY_VERIFY(PointAt(*trayWindow));
}

bool TrayIconDesktopTest::PointAt(const QWidget& trayWindow)
{
    const auto id = xcb_window_t(trayWindow.winId());
    m_centre = ScreenPosition(id) + trayWindow.rect().center();
    RunXdotool({ QStringLiteral("mousemove"), QString::number(m_centre.x()), QString::number(m_centre.y()) });
    return WindowAtPointer() == id;
}

void TrayIconDesktopTest::iconVisibleTwiceAddsOneIconToTheTray()
{
    ShowIcon();
    m_icon->setIconVisible(true);
    QTest::qWait(100);
    QCOMPARE(TrayWindows().size(), 1);
    m_icon->setIconVisible(false);
    QTRY_VERIFY(TrayWindows().isEmpty());
}

void TrayIconDesktopTest::clickIsReportedAfterTheDoubleClickInterval()
{
    ShowIcon();
    // The tray reports the left button as it goes down; at that moment the
    // click is still pending.
    bool pendingAtPress = false;
    connect(m_icon->findChild<QSystemTrayIcon*>(), &QSystemTrayIcon::activated, this,
        [&](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger)
                pendingAtPress = m_icon->ClickTimer().isActive() && m_clicks == 0;
        });
    {
        const ButtonDown left(1);
        QTRY_VERIFY(pendingAtPress);
    }
    QTRY_COMPARE(m_clicks, 1);
    QCOMPARE(m_doubleClicks, 0);
}

void TrayIconDesktopTest::doubleClickIsReportedOnceWithoutAClick()
{
    ShowIcon();
    RunXdotool({ QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
        QStringLiteral("40"), QStringLiteral("1") });
    QTRY_COMPARE(m_doubleClicks, 1);
    QTest::qWait(2 * kDoubleClickMs);
    QCOMPARE(m_doubleClicks, 1);
    QCOMPARE(m_clicks, 0);
}

void TrayIconDesktopTest::rightButtonOpensTheMenuOnlyWhenThereIsOne()
{
    ShowIcon();
    QMenu menu;
    menu.addAction(QStringLiteral("Exit"));
    m_icon->setPopupMenu(&menu);
    {
        const ButtonDown right(3);
        QTRY_VERIFY(menu.isVisible());
    }
    // At the mouse, below the tray.
    QVERIFY(menu.geometry().top() >= m_centre.y());
    QVERIFY(qAbs(menu.geometry().right() - m_centre.x()) < menu.width() + 1);
    menu.hide();

    m_icon->setPopupMenu(nullptr);
    RunXdotool({ QStringLiteral("click"), QStringLiteral("3") });
    QTest::qWait(2 * kDoubleClickMs);
    QCOMPARE(VisibleMenu(), nullptr);
    QCOMPARE(m_clicks + m_doubleClicks, 0);
}

void TrayIconDesktopTest::hideTaskKeepsTheButtonHiddenUntilCleared()
{
    ShowIcon();
    m_owner->resize(200, 200);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QCOMPARE(SkipTaskbarCount(*m_owner), 0);

    m_icon->setHideTask(true);
    m_icon->setHideTask(true);
    QTRY_COMPARE(SettledSkipTaskbarCount(*m_owner), 1);

    // Changing the stay-on-top flag hides the window and gives it a new
    // native window; hiding makes the window manager forget the state.
    m_owner->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QTRY_COMPARE(SettledSkipTaskbarCount(*m_owner), 1);
    m_owner->hide();
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QTRY_COMPARE(SettledSkipTaskbarCount(*m_owner), 1);

    m_icon->setHideTask(false);
    QTRY_COMPARE(SettledSkipTaskbarCount(*m_owner), 0);
    m_owner->hide();
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QCOMPARE(SettledSkipTaskbarCount(*m_owner), 0);
}

QTEST_MAIN(TrayIconDesktopTest)
#include "TrayIconDesktopTest.moc"
