#include "app/ClockWindow.h"

#include "alarms/AlarmSchedule.h"
#include "app/ApplyTexture.h"
#include "app/FirstStartHint.h"
#include "app/TrayMenu.h"
#include "app/WindowDrag.h"
#include "clock/ClockSettings.h"
#include "clock/PlacementKeys.h"
#include "clock/ScreenSnap.h"
#include "clock/WindowShape.h"
#include "desktop/InstanceChannel.h"
#include "desktop/TrayIcon.h"
#include "overlay/OverlaySurface.h"
#include "platform/dialogs/Application.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/text/LocalClock.h"
#include "platform/x11/WindowManager.h"
#include "platform/x11/WindowPosition.h"
#include "skins/LiveSkin.h"
#include "skins/SkinLimits.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QRegion>
#include <QScopedValueRollback>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

constexpr int kTickIntervalMs = 1000;
constexpr int kTickDelayMs = 5;
constexpr int kSnapDistance = 15;
// How long after a resize a move is taken as the window manager's answer to it.
constexpr int kResizeMovesMs = 500;
constexpr char kNoTrayMessage[] = "This desktop has no notification area (tray), so the clock is minimised to the "
                                  "taskbar instead of hiding in the tray.";
constexpr char kNoTrayNoWayBackMessage[] = "This desktop has no notification area (tray), and the clock cannot count on "
                                           "a taskbar here, so it is hidden. To bring it back, start Vellamor again or "
                                           "run \"vellamor-tool show\".";

QPixmap StartupPicture()
{
    QFile file(QStringLiteral(":/startup.jpg"));
    file.open(QIODevice::ReadOnly);
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

// The stored position, an edge beyond the screen brought back to its middle.
QPoint PositionOnScreen(QPoint stored)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QPoint(EdgeOnScreen(stored.x(), screen.width()), EdgeOnScreen(stored.y(), screen.height()));
}

} // namespace

ClockWindow::ClockWindow(LiveSkin& liveSkin, ClockSettingsFile& settings)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_liveSkin(liveSkin)
    , m_settings(settings)
    , m_timer(new QTimer(this))
    , m_surface(new OverlaySurface(this))
    , m_startupPicture(new QLabel(this))
    , m_trayMenu(new TrayMenu(*this))
    , m_drag(new WindowDrag(*this))
{
    setObjectName(QStringLiteral("frmDerAvo"));
    // The name the taskbar and the window switcher show.
    setWindowTitle(QLatin1String(kClockTitle));
    m_startupPicture->setObjectName(QStringLiteral("Image1"));
    m_startupPicture->setPixmap(StartupPicture());
    // The start-up picture whole, until the first tick gives the window the
    // skin's size.
    resize(m_startupPicture->pixmap().size());
    // The first start puts the clock at the top-right of the work area, at
    // its skin's size.
    const ClockSettings& stored = m_settings.settings();
    moveWindowTo(stored.positionStored
            ? PositionOnScreen(stored.position)
            : FirstStartPosition(QGuiApplication::primaryScreen()->availableGeometry(), WindowSide(m_liveSkin.skin().ClockSize)));

    m_startupPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_startupPicture->setGeometry(rect());
    m_surface->setGeometry(rect());
    m_surface->hide();
    // The window handles the mouse over the surface and the start-up picture
    // (properties, dragging): a drag begun on the picture goes on when the
    // first tick hides it.
    m_surface->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_startupPicture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_resizeMoves.setSingleShot(true);
    m_resizeMoves.setInterval(kResizeMovesMs);
    m_drag->MoveWindow = [this](QPoint position) { moveWindowTo(position); };
    m_drag->OnDropped = [this](QPoint position) { onDropped(position); };

    connect(m_trayMenu, &TrayMenu::showRequested, this, &ClockWindow::showUp);
    connect(m_trayMenu, &TrayMenu::hideRequested, this, &ClockWindow::hideToTray);
    connect(m_trayMenu, &TrayMenu::propertiesRequested, this, &ClockWindow::openOptions);
    connect(m_trayMenu, &TrayMenu::exitRequested, this, &ClockWindow::close);
    connect(&m_liveSkin, &LiveSkin::changed, this, &ClockWindow::applySkin);
    connect(&m_settings, &ClockSettingsFile::changed, this, &ClockWindow::onSettingsChanged);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] {
        scheduleNextTick();
        tick();
    });
    // The first tick comes a full second after creation, as a steady
    // one-second timer's would: by then the window has been shown.
    scheduleNextTick(kTickIntervalMs);
}

ClockWindow::~ClockWindow() = default;

bool ClockWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        onFirstActivation();
    return QWidget::event(event);
}

void ClockWindow::setAlarmSchedule(AlarmSchedule* schedule)
{
    m_alarmSchedule = schedule;
    m_trayMenu->followSnoozes(*schedule);
}

void ClockWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_trayMenu->trayIcon())
        return;
    // A window manager that does not activate a new window must not keep
    // the start's problems unshown.
    QMetaObject::invokeMethod(this, &ClockWindow::onFirstActivation, Qt::QueuedConnection);
    m_trayMenu->showTrayIcon();
}

void ClockWindow::onFirstActivation()
{
    // Once: a later start bringing the clock to the front must not apply
    // "-hide" again.
    if (std::exchange(m_activated, true))
        return;
    for (const QString& problem : std::exchange(m_startupProblems, {}))
        ShowError(problem);
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].toLower() == u"-hide") {
            hideToTray();
            return;
        }
    runWhenFirstOnScreen();
}

void ClockWindow::runWhenFirstOnScreen()
{
    showFirstStartHint();
    if (const std::function<void()> run = std::exchange(m_whenFirstOnScreen, {}))
        run();
}

void ClockWindow::showFirstStartHint()
{
    // At the first start only: a clock the user has placed knows its way.
    if (m_hint || m_settings.settings().hintSeen || m_settings.settings().positionStored)
        return;
    m_hint = new FirstStartHint(*this);
    connect(m_hint, &FirstStartHint::dismissed, this, &ClockWindow::retireFirstStartHint);
    placeFirstStartHint();
    m_hint->show();
}

void ClockWindow::placeFirstStartHint()
{
    if (m_hint && screen())
        m_hint->placeBeside(geometry(), screen()->availableGeometry());
}

void ClockWindow::retireFirstStartHint()
{
    m_settings.setHintSeen();
    if (m_hint)
        m_hint->deleteLater();
    m_hint = nullptr;
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the program, unless the user chose to go back (to edits
    // of the skin not yet saved). A save that fails leaves the files on
    // disk as they were and is reported once: in a box, or only on the error
    // output when the session ends the program and no one may be there to
    // answer a box.
    if (m_mayClose && !m_mayClose(!m_terminating && isVisible() && !isMinimized())) {
        event->ignore();
        return;
    }
    event->accept();
    followWindow();
    try {
        if (m_saveSettings)
            m_saveSettings();
    } catch (const std::exception& error) {
        if (m_terminating)
            qCritical("%s", error.what());
        else
            ShowError(QString::fromStdString(error.what()));
    }
    // Also from inside a modal window.
    QCoreApplication::quit();
}

void ClockWindow::terminate()
{
    m_terminating = true;
    // A close still showing its failed save refuses another close: the
    // program ends all the same, leaving every event loop.
    if (!close())
        QCoreApplication::exit();
}

void ClockWindow::applySkin()
{
    if (m_ticker.requestRefresh())
        tick();
}

void ClockWindow::onSettingsChanged()
{
    // "Always On Top" changed: the full refresh applies it.
    const QWindow* native = windowHandle();
    const bool onTop = native && native->flags().testFlag(Qt::WindowStaysOnTopHint);
    if (m_settings.settings().stayOnTop != onTop)
        applySkin();
}

BandBrush ClockWindow::bandBrush() const
{
    return std::as_const(*m_surface).scene().ColorBand.Brush;
}

void ClockWindow::setBandBrush(const BandBrush& brush)
{
    m_surface->scene().ColorBand.Brush = brush;
}

int ClockWindow::bandTransparency() const
{
    return std::as_const(*m_surface).scene().ColorBand.Transparency;
}

void ClockWindow::setBandTransparency(int transparency)
{
    m_surface->scene().ColorBand.Transparency = transparency;
}

void ClockWindow::showUp()
{
    m_trayMenu->setClockHidden(false);
    showNormal();
    raise();
    activateWindow();
    // Restored, the clock has its taskbar button again, unless it stays on
    // top.
    applyTaskbarButton();
    m_keepAbove.setEnabled(m_settings.settings().stayOnTop);
    if (m_hint)
        m_hint->show();
    runWhenFirstOnScreen();
}

void ClockWindow::hideToTray()
{
    if (m_hint)
        m_hint->hide();
    // Minimising needs a window manager that gives the window back, an X11
    // one: elsewhere the window is hidden, and the tray icon, a second start
    // or "vellamor-tool show" bring it back.
    const bool minimise = CanMinimiseAndRestore();
    // Said once, while the clock is still on screen: a box attached to a
    // minimised clock would bring it back (KWin).
    if (!TrayIcon::TrayAvailable())
        reportNoTray(QString::fromLatin1(minimise ? kNoTrayMessage : kNoTrayNoWayBackMessage));
    m_trayMenu->setClockHidden(true);
    TrayIcon* const trayIcon = m_trayMenu->trayIcon();
    if (!minimise) {
        hide();
        return;
    }
    if (trayIcon)
        trayIcon->setHideTask(false);
    showMinimized();
    // Without a tray the taskbar button is the only way back.
    if (trayIcon && TrayIcon::TrayAvailable())
        trayIcon->setHideTask(true);
}

void ClockWindow::reportNoTray(const QString& message)
{
    if (std::exchange(m_noTrayReported, true))
        return;
    ShowMessage(message);
}

void ClockWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Restored, also by the window manager (from the taskbar where there is
    // no tray): the clock is on screen again.
    if (event->type() != QEvent::WindowStateChange || isMinimized())
        return;
    m_trayMenu->setClockHidden(false);
    if (std::exchange(m_reshapeWhenRestored, false))
        applySkin();
}

void ClockWindow::applyTaskbarButton()
{
    // A clock that stays on top has no taskbar button.
    if (TrayIcon* trayIcon = m_trayMenu->trayIcon())
        trayIcon->setHideTask(m_settings.settings().stayOnTop);
}

void ClockWindow::openOptions()
{
    // The user has found the options: the hint has served.
    retireFirstStartHint();
    if (m_openOptions)
        m_openOptions(m_trayMenu->clockHidden());
}

void ClockWindow::keyPressEvent(QKeyEvent* event)
{
    onKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (event->text().isEmpty())
        return;
    const QChar key = event->text().front().toUpper();
    if (key == u'M')
        hideToTray();
    else if (key == u'O')
        openOptions();
}

void ClockWindow::onKey(int key, bool onKeypad)
{
    // The keys place the window by its real size, which is the skin's size
    // as drawn, within the primary screen's work area.
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    // From where the window is: a window manager may have kept it elsewhere
    // than the last step asked, without a word.
    followWindow();
    const PlacementKeys::Action action
        = PlacementKeys::ForKey(PlacementKeys::VirtualKeyOf(key, onKeypad), m_position, width(), workArea);
    if (action.position)
        moveWindowTo(*action.position);
    if (action.sizeStep == 0)
        return;
    Skin skin = m_liveSkin.skin();
    // The size keys keep the size within the designer's bounds.
    const SkinFieldLimits bounds = *DesignerLimits(*FindSkinField(QStringLiteral("ClockSize")));
    const int size = int(std::clamp<long long>(skin.ClockSize + action.sizeStep, bounds.minimum, bounds.maximum));
    if (size == skin.ClockSize)
        return;
    skin.ClockSize = size;
    m_liveSkin.edit(skin);
}

void ClockWindow::followWindow()
{
    if (!isVisible() || isMinimized())
        return;
    if (const std::optional<QPoint> onScreen = WindowPositionOnScreen(*this); onScreen && *onScreen != m_position)
        rememberPosition(*onScreen);
}

void ClockWindow::rememberPosition(QPoint position)
{
    m_position = position;
    m_settings.setPosition(position);
}

void ClockWindow::moveWindowTo(QPoint position)
{
    rememberPosition(position);
    move(position);
}

void ClockWindow::onDropped(QPoint position)
{
    rememberPosition(position);
    if (!screen())
        return;
    const QPoint snapped = SnapToWorkArea(QRect(position, size()), screen()->availableGeometry(), kSnapDistance);
    if (snapped != position)
        moveWindowTo(snapped);
}

void ClockWindow::mousePressEvent(QMouseEvent* event)
{
    m_drag->Press(*event);
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event)
{
    m_drag->Move(*event);
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag->Release(*event);
    if (event->button() == Qt::RightButton)
        openOptions();
}

void ClockWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    placeFirstStartHint();
    m_drag->WindowMoved();
    if (m_drag->Dragging() || pos() == m_position)
        return;
    // A window manager may move a window that grows partly off the screen
    // back onto it; the clock goes back to where it was placed, once.
    if (m_resizeMoves.isActive()) {
        m_resizeMoves.stop();
        move(m_position);
        return;
    }
    // Any other move is where the clock really is (a window manager keeping
    // it off a panel or on the screen): the keys step and the settings save
    // from there. Only a window system that tells positions is listened to.
    if (isVisible() && !isMinimized() && WindowPositionsAreReported())
        rememberPosition(pos());
}

void ClockWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeFirstStartHint();
    m_startupPicture->setGeometry(rect());
    m_surface->setGeometry(QRect(QPoint(0, 0), size().expandedTo(m_surface->minimumSize())));
}

void ClockWindow::scheduleNextTick(int atLeastMs)
{
    // A few milliseconds after a wall-clock second, so the marker moves on
    // the second; re-armed every tick, so a jump of the system clock or a
    // resume from suspend is seen at the next second.
    // Time zones differ by whole minutes, so the universal time has the
    // local time's milliseconds, without a look at the time zone.
    const int toNextSecond = kTickIntervalMs - int(QDateTime::currentMSecsSinceEpoch() % kTickIntervalMs);
    m_timer->start(toNextSecond + kTickDelayMs + (toNextSecond < atLeastMs ? kTickIntervalMs : 0));
}

void ClockWindow::tick()
{
    // A tick that comes while a full refresh waits on a message box of its
    // own (a missing texture) is skipped: it would only stack another box.
    if (m_refreshing)
        return;
    const Skin& skin = m_liveSkin.skin();
    if (m_ticker.state() == ClockTicker::State::BeforeFirstTick) {
        // A clock hidden by "-hide" stays hidden.
        if (!m_trayMenu->clockHidden())
            setVisible(true);
        m_surface->setVisible(true);
        m_startupPicture->setVisible(false);
        m_ticker.startFirstTick(m_surface->scene(), skin);
    }
    const QDateTime now = CurrentLocalDateTime();
    // On a screen of another scale the faces are drawn again at its pixels.
    if (m_ticker.refreshDue(m_surface->PictureSize())) {
        const QScopedValueRollback refreshing(m_refreshing, true);
        fullRefresh(now.time());
        return;
    }
    ordinaryTick(now);
}

void ClockWindow::ordinaryTick(const QDateTime& now)
{
    const ClockSettings& settings = m_settings.settings();
    const bool facePrepared = m_ticker.ordinaryTick(m_surface->scene(), m_liveSkin.skin(), now,
        settings.readoutFormatIndex, settings.amPmFormat, settings.h24Format);
    // One present a tick, which sends only the pixels that changed; the next
    // minute's face is prepared after it, off screen.
    m_surface->Refresh();
    if (facePrepared)
        m_ticker.prepareNextFace(m_liveSkin.skin(), now.time());
    if (m_alarmSchedule)
        m_alarmSchedule->PollAlarms(DateTimeFromLocal(now));
}

void ClockWindow::fullRefresh(const QTime& now)
{
    if (!m_trayMenu->clockHidden())
        applyStacking();
    reshape();
    m_ticker.drawFaces(m_surface->scene(), m_liveSkin.skin(), m_surface->PictureSize(), now);
    ApplyTexture(m_surface->scene().ColorBand, m_liveSkin);
    // The font's size follows the clock's size on the desktop; its pixels,
    // and the box's offset, the resolution of the surface's picture.
    m_ticker.finishRefresh(m_surface->scene(), m_liveSkin.skin(), m_surface->width(),
        logicalDpiY() * m_surface->devicePixelRatioF());
}

void ClockWindow::applyStacking()
{
    // Set on the native window: changing the widget's flags would replace
    // it, and the windows open over the clock would lose their place above
    // it.
    if (QWindow* native = windowHandle())
        native->setFlag(Qt::WindowStaysOnTopHint, m_settings.settings().stayOnTop);
    // Where no window manager keeps it on top, the clock does.
    m_keepAbove.setEnabled(m_settings.settings().stayOnTop);
    applyTaskbarButton();
}

void ClockWindow::reshape()
{
    const Skin& skin = m_liveSkin.skin();
    const int side = WindowSide(skin.ClockSize);
    // Resizing a minimised window restores it (Qt under openbox, at least):
    // a hidden clock keeps its size and is reshaped when it is shown again.
    if (isMinimized() && size() != QSize(side, side)) {
        m_reshapeWhenRestored = true;
    } else if (size() != QSize(side, side)) {
        resize(side, side);
        m_resizeMoves.start();
    }
    setMask(RegionOf(WindowOutline(size(), ShapeOf(skin))));
    setWindowOpacity(WindowAlpha(skin.Transparency) / 255.0);
}
