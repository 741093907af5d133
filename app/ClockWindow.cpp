#include "app/ClockWindow.h"

#include "app/ApplyTexture.h"
#include "clock/ClockAngles.h"
#include "clock/ClockSettings.h"
#include "clock/ClockTick.h"
#include "clock/FaceColors.h"
#include "clock/PlacementKeys.h"
#include "clock/ScreenSnap.h"
#include "app/WindowDrag.h"
#include "clock/WindowShape.h"
#include "alarms/AlarmSchedule.h"
#include "desktop/SingleInstanceGuard.h"
#include "desktop/TrayIcon.h"
#include "options/ClockOptions.h"
#include "overlay/OverlaySurface.h"
#include "platform/dialogs/Application.h"
#include "platform/pictures/JpegCodec.h"
#include "platform/text/LocalClock.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileUpdate.h"
#include "platform/files/ProgramFolder.h"
#include "platform/raster/Raster.h"
#include "platform/x11/WindowManager.h"
#include "skins/Skin.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegion>
#include <QScopedValueRollback>
#include <QScreen>
#include <QWindow>

#include <utility>

namespace {

constexpr char kProgramName[] = "Vellamor";
constexpr int kTickIntervalMs = 1000;
constexpr int kTickDelayMs = 5;
constexpr int kSnapDistance = 15;
// How long after a resize a move is taken as the window manager's answer to it.
constexpr int kResizeMovesMs = 500;
constexpr char kNoTrayMessage[] = "This desktop has no notification area (tray), so the clock is minimised to the "
                                  "taskbar instead of hiding in the tray.";
constexpr char kNoTrayNoWindowManagerMessage[] = "This desktop has no notification area (tray) and no window manager, "
                                                 "so the hidden clock comes back when you start it again.";

QPixmap StartupPicture()
{
    QFile file(QStringLiteral(":/startup.jpg"));
    file.open(QIODevice::ReadOnly);
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

} // namespace

ClockWindow::ClockWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , Timer1(new QTimer(this))
    , Chart1(new OverlaySurface(this))
    , Image1(new QLabel(this))
    , PopupMenu1(new QMenu(this))
    , mShow(new QAction(QStringLiteral("Show"), PopupMenu1))
    , mHide(new QAction(QStringLiteral("Hide"), PopupMenu1))
    , mProperties(new QAction(QStringLiteral("Properties"), PopupMenu1))
    , mExit(new QAction(QStringLiteral("Exit"), PopupMenu1))
    , OnlyOne1(new SingleInstanceGuard(this))
    , FDrag(new WindowDrag(*this))
{
    setObjectName(QStringLiteral("frmDerAvo"));
    // The name the taskbar and the window switcher show.
    setWindowTitle(QLatin1String(kProgramName));
    Image1->setPixmap(StartupPicture());
    // The start-up picture whole, until the first tick gives the window the
    // skin's size.
    resize(Image1->pixmap().size());
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    MoveWindowTo(desktop.center() - rect().center());

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setGeometry(rect());
    Chart1->setGeometry(rect());
    Chart1->hide();
    // The window handles the mouse over the surface and the start-up picture
    // (properties, dragging): a drag begun on the picture goes on when the
    // first tick hides it.
    Chart1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);
    BuildPopupMenu();
    FResizeMoves.setSingleShot(true);
    FResizeMoves.setInterval(kResizeMovesMs);
    FDrag->MoveWindow = [this](QPoint position) { MoveWindowTo(position); };
    FDrag->OnDropped = [this](QPoint position) { WindowDropped(position); };
    OnlyOne1->setObjectName(QStringLiteral("OnlyOne1"));
    OnlyOne1->OnBringToFront = [this] { ShowUp(); };

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] {
        ArmTimer1();
        Timer1Timer();
    });
    // The first tick comes a full second after creation, as a steady
    // one-second timer's would: by then the window has been shown and has
    // read its settings.
    ArmTimer1(kTickIntervalMs);

    // FormCreate: the default skin is in effect until a skin file is read.
    Skin = DefaultSkin();
    Settings = std::make_unique<ProfileFile>(ProgramFolder() + QLatin1String(ClockSettings::kFileName));
}

ClockWindow::~ClockWindow() = default;

void ClockWindow::BuildPopupMenu()
{
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto* radioGroup = new QActionGroup(PopupMenu1);
    for (QAction* item : { mShow, mHide }) {
        item->setCheckable(true);
        radioGroup->addAction(item);
    }
    mShow->setObjectName(QStringLiteral("mShow"));
    mHide->setObjectName(QStringLiteral("mHide"));
    mProperties->setObjectName(QStringLiteral("mProperties"));
    mExit->setObjectName(QStringLiteral("mExit"));
    mShow->setChecked(true);

    PopupMenu1->addAction(mShow);
    PopupMenu1->addAction(mHide);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N2"));
    PopupMenu1->addAction(mProperties);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    PopupMenu1->addAction(mExit);
    PopupMenu1->setDefaultAction(mShow);

    connect(mShow, &QAction::triggered, this, &ClockWindow::ShowUp);
    connect(mHide, &QAction::triggered, this, &ClockWindow::mHideClick);
    connect(mProperties, &QAction::triggered, this, &ClockWindow::mPropertiesClick);
    connect(mExit, &QAction::triggered, this, &ClockWindow::mExitClick);
}

bool ClockWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void ClockWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void ClockWindow::FormShow()
{
    if (Tray)
        return;
    // The settings are read on the first activation; a window manager that
    // does not activate a new window must not keep them unread.
    QMetaObject::invokeMethod(this, &ClockWindow::FormActivate, Qt::QueuedConnection);
    Tray = new TrayIcon(this);
    Tray->setIconVisible(true);
    Tray->setIcon(QGuiApplication::windowIcon());
    Tray->setHint(QLatin1String(kProgramName));
    Tray->OnClick = [this](QObject*) { ShowUp(); };
    Tray->OnDblClick = [this](QObject*) { ShowUp(); };
    Tray->setPopupMenu(PopupMenu1);
}

void ClockWindow::FormActivate()
{
    // Once: an activation before the first tick (a later start bringing the
    // clock to the front) must not read the settings and apply "-hide" again.
    if (Tag != ClockTick::kBeforeFirstTick || !FOptions || FSettingsRead)
        return;
    FSettingsRead = true;
    // Everything is read before any box appears: the clock may be closed
    // while a box waits (a logout), and it then saves what it read, not
    // defaults. A settings file that cannot be read (a folder, a FIFO, a
    // huge file) is reported, and every key reads as its default.
    const QString readProblem = Settings->ReadProblem();
    // The skin first: the size read after it overrides the skin's own.
    const QString skinProblem = LoadSkinFromSettings();
    ReadPosition();
    ReadReadoutFormat();
    ReadClockSize();
    FOptions->SkinToControls();
    FOptions->SetStayOnTop(Settings->ReadBool(ClockSettings::kDefault, ClockSettings::kOnTop, false));
    for (const QString& problem : { readProblem, skinProblem })
        if (!problem.isEmpty())
            ShowError(problem);
    ApplyStartSwitches();
}

QString ClockWindow::LoadSkinFromSettings()
{
    using namespace ClockSettings;
    // A skin file that cannot be read leaves the built-in skin; the rest of
    // the settings still apply.
    try {
        FOptions->LoadSkin(SkinPathFromSetting(Settings->ReadString(kDefault, kSkin, QString()), ProgramFolder()));
    } catch (const std::exception& error) {
        return QString::fromStdString(error.what());
    }
    return QString();
}

void ClockWindow::ReadPosition()
{
    using namespace ClockSettings;
    FOptions->SetKeepLastPosition(Settings->ReadBool(kPosition, kKeepIt, true));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    MoveWindowTo(QPoint(EdgeOnScreen(Settings->ReadInteger(kPosition, kLeft, 0), screen.width()), FPosition.y()));
    MoveWindowTo(QPoint(FPosition.x(), EdgeOnScreen(Settings->ReadInteger(kPosition, kTop, 0), screen.height())));
}

void ClockWindow::ReadReadoutFormat()
{
    using namespace ClockSettings;
    FOptions->SetDigFormatIndex(Settings->ReadInteger(kDefault, kDigFrm, 0));
    AmPmFormat = Settings->ReadString(kDefault, kDigFrmAmPm, QLatin1String(kDefaultAmPmFormat));
    H24Format = Settings->ReadString(kDefault, kDigFrm24, QLatin1String(kDefaultH24Format));
}

void ClockWindow::ReadClockSize()
{
    using namespace ClockSettings;
    FOptions->SetKeepSize(Settings->ReadBool(kSize, kKeepIt, true));
    // A stored size of 0 (or none) keeps the size the clock has, rather than
    // shrinking the window to nothing.
    if (FOptions->KeepSize()) {
        if (const int lastOne = Settings->ReadInteger(kSize, kLastOne, 0); lastOne > 0)
            Skin.ClockSize = lastOne;
    }
}

void ClockWindow::ApplyStartSwitches()
{
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].toLower() == u"-hide")
            mHideClick();
}

void ClockWindow::SaveSettings()
{
    using namespace ClockSettings;

    // The alarms first: a store that cannot be written ends the save here.
    FOptions->SaveAlarms();
    // Settings not read yet would be saved as defaults over the user's.
    if (!FSettingsRead)
        return;
    // All keys reach the file in one replacement, or none does.
    ProfileUpdate settings(Settings->fileName());
    settings.WriteString(kDefault, kSkin, SkinSettingFromPath(FOptions->SkinFileOrDefault(), ProgramFolder()));
    settings.WriteBool(kDefault, kOnTop, FOptions->StayOnTop());
    settings.WriteInteger(kDefault, kDigFrm, FOptions->DigFormatIndex());
    settings.WriteBool(kPosition, kKeepIt, FOptions->KeepLastPosition());
    if (FOptions->KeepLastPosition()) {
        settings.WriteInteger(kPosition, kLeft, FPosition.x());
        settings.WriteInteger(kPosition, kTop, FPosition.y());
    }
    settings.WriteBool(kSize, kKeepIt, FOptions->KeepSize());
    settings.WriteInteger(kSize, kLastOne, FOptions->KeepSize() ? Skin.ClockSize : 0);
    settings.Commit();
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
    // Closing always ends the program. A save that fails leaves the files on
    // disk as they were and is reported once: in a box, or only on the error
    // output when the session ends the program and no one may be there to
    // answer a box.
    event->accept();
    try {
        SaveSettings();
    } catch (const std::exception& error) {
        if (FTerminating)
            qCritical("%s", error.what());
        else
            ShowError(QString::fromStdString(error.what()));
    }
    // Also from inside a modal window.
    QCoreApplication::quit();
}

void ClockWindow::Terminate()
{
    FTerminating = true;
    // A close still showing its failed save refuses another close: the
    // program ends all the same, leaving every event loop.
    if (!close())
        QCoreApplication::exit();
}

void ClockWindow::ApplySkin()
{
    using namespace ClockTick;
    if (ShowsAMinute(Chart1->Tag))
        Chart1->Tag = kRefreshRequested;
    if (Chart1->Tag == kRefreshRequested)
        Timer1Timer();
}

BandBrush ClockWindow::bandBrush() const
{
    return std::as_const(*Chart1).ColorBand().Brush;
}

void ClockWindow::setBandBrush(const BandBrush& brush)
{
    Chart1->ColorBand().Brush = brush;
}

int ClockWindow::bandTransparency() const
{
    return std::as_const(*Chart1).ColorBand().Transparency;
}

void ClockWindow::setBandTransparency(int transparency)
{
    Chart1->ColorBand().Transparency = transparency;
}

QString ClockWindow::ReadoutFormat() const
{
    return FOptions && FOptions->DigFormatIndex() == 0 ? AmPmFormat : H24Format;
}

void ClockWindow::ShowUp()
{
    mShow->setChecked(true);
    showNormal();
    raise();
    activateWindow();
    // Restored, the clock has its taskbar button again, unless it stays on
    // top.
    ApplyTaskbarButton();
}

void ClockWindow::mHideClick()
{
    mHide->setChecked(true);
    // Minimising needs a window manager: without one the window is hidden,
    // and the tray icon, or starting the clock again, brings it back.
    if (!WindowManagerRunning()) {
        hide();
        if (!TrayIcon::TrayAvailable())
            ReportNoTray(QString::fromLatin1(kNoTrayNoWindowManagerMessage));
        return;
    }
    if (Tray)
        Tray->setHideTask(false);
    showMinimized();
    if (TrayIcon::TrayAvailable()) {
        if (Tray)
            Tray->setHideTask(true);
    } else {
        // Without a tray the taskbar button is the only way back.
        ReportNoTray(QString::fromLatin1(kNoTrayMessage));
    }
}

void ClockWindow::ReportNoTray(const QString& message)
{
    if (FNoTrayReported)
        return;
    FNoTrayReported = true;
    ShowMessage(message);
}

void ClockWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Restored, also by the window manager (from the taskbar where there is
    // no tray): the clock is on screen again.
    if (event->type() != QEvent::WindowStateChange || isMinimized())
        return;
    if (mHide->isChecked())
        mShow->setChecked(true);
    if (FReshapeWhenRestored) {
        FReshapeWhenRestored = false;
        ApplySkin();
    }
}

void ClockWindow::ApplyTaskbarButton()
{
    // A clock that stays on top has no taskbar button.
    if (Tray && FOptions)
        Tray->setHideTask(FOptions->StayOnTop());
}

void ClockWindow::mPropertiesClick()
{
    if (mHide->isChecked())
        FOptions->ShowAlarmsPage();
    FOptions->OpenOrRaise();
}

void ClockWindow::mExitClick()
{
    close();
}

void ClockWindow::CloseClock()
{
    close();
}

void ClockWindow::Chart1KeyPress(QChar key)
{
    const QChar upper = key.toUpper();
    if (upper == u'M')
        mHideClick();
    else if (upper == u'O')
        mPropertiesClick();
}

void ClockWindow::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (!event->text().isEmpty())
        Chart1KeyPress(event->text().front());
}

void ClockWindow::FormKeyDown(int key, bool onKeypad)
{
    // The keys place the window by its real size, which is the skin's size
    // as drawn, within the primary screen's work area.
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    const PlacementKeys::Action action
        = PlacementKeys::ForKey(PlacementKeys::VirtualKeyOf(key, onKeypad), FPosition, width(), workArea);
    if (action.position)
        MoveWindowTo(*action.position);
    if (action.sizeStep != 0)
        FOptions->StepSize(action.sizeStep);
}

void ClockWindow::MoveWindowTo(QPoint position)
{
    FPosition = position;
    move(position);
}

void ClockWindow::WindowDropped(QPoint position)
{
    FPosition = position;
    if (!screen())
        return;
    const QPoint snapped = SnapToWorkArea(QRect(position, size()), screen()->availableGeometry(), kSnapDistance);
    if (snapped != position)
        MoveWindowTo(snapped);
}

void ClockWindow::mousePressEvent(QMouseEvent* event)
{
    FDrag->Press(*event);
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event)
{
    FDrag->Move(*event);
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event)
{
    FDrag->Release(*event);
    if (event->button() == Qt::RightButton)
        mPropertiesClick();
}

void ClockWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    FDrag->WindowMoved();
    // A window manager may move a window that grows partly off the screen
    // back onto it; the clock goes back to where it was placed, once.
    if (FResizeMoves.isActive() && !FDrag->Dragging() && pos() != FPosition) {
        FResizeMoves.stop();
        move(FPosition);
    }
}

void ClockWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Image1->setGeometry(rect());
    Chart1->setGeometry(QRect(QPoint(0, 0), size().expandedTo(Chart1->minimumSize())));
}

void ClockWindow::ArmTimer1(int atLeastMs)
{
    // A few milliseconds after a wall-clock second, so the marker moves on
    // the second; re-armed every tick, so a jump of the system clock or a
    // resume from suspend is seen at the next second.
    // Time zones differ by whole minutes, so the universal time has the
    // local time's milliseconds, without a look at the time zone.
    const int toNextSecond = kTickIntervalMs - int(QDateTime::currentMSecsSinceEpoch() % kTickIntervalMs);
    Timer1->start(toNextSecond + kTickDelayMs + (toNextSecond < atLeastMs ? kTickIntervalMs : 0));
}

void ClockWindow::Timer1Timer()
{
    // The options window is created after the clock, and a message box of
    // its creation (the alarm start-up pass) runs ticks before it is linked.
    // A tick that comes while a full refresh waits on a message box of its
    // own (a missing texture) is skipped: it would only stack another box.
    if (!FOptions || FRefreshing)
        return;
    if (Chart1->Tag == ClockTick::kBeforeFirstTick) {
        // A clock hidden by "-hide" stays hidden.
        if (mShow->isChecked())
            setVisible(true);
        Chart1->setVisible(true);
        Image1->setVisible(false);
    }
    const QDateTime now = CurrentLocalDateTime();
    const int hour12 = now.time().hour() % 12;
    const int minute = now.time().minute();
    const double hourAngle = HourAngle(hour12, minute);

    if (Chart1->Tag == ClockTick::kBeforeFirstTick) {
        ReadoutLabel& readout = Chart1->srsDigit();
        readout.X = 0;
        readout.Y = 0;
        readout.Text = QLatin1String(ClockTick::kFirstReadoutText);
        SecondsMarker& marker = Chart1->srsSec();
        marker.X = 0;
        marker.Y = 0;
        marker.Radius = ClockTick::MarkerRadius(Skin);
    }
    // On a screen of another scale the faces are drawn again at its pixels.
    if (ClockTick::ShowsAMinute(Chart1->Tag) && Faces[0].size() != Chart1->PictureSize())
        Chart1->Tag = ClockTick::kRefreshRequested;
    if (Chart1->Tag == ClockTick::kRefreshRequested)
        Chart1->srsSec().Radius = ClockTick::MarkerRadius(Skin);
    if (ClockTick::IsFullRefreshDue(Chart1->Tag)) {
        const QScopedValueRollback refreshing(FRefreshing, true);
        FullRefresh(hour12, minute, hourAngle);
        return;
    }
    OrdinaryTick(now, hour12, hourAngle);
}

void ClockWindow::OrdinaryTick(const QDateTime& now, int hour12, double hourAngle)
{
    // Marker, readout and, at a minute change, the face prepared a minute
    // ahead all change before the one present of the tick, which sends only
    // the pixels that changed.
    const QPointF marker = ClockTick::MarkerPosition(Skin, now.time().second());
    Chart1->srsSec().X = marker.x();
    Chart1->srsSec().Y = marker.y();
    if (const auto text = ClockTick::ReadoutText(now, FOptions->DigFormatIndex(), AmPmFormat, H24Format))
        Chart1->srsDigit().Text = *text;
    const int minute = now.time().minute();
    const ClockTick::FaceStep step = ClockTick::FaceStepAt(FShownFace, ClockTick::FaceMinute(hour12, minute));
    switch (step) {
    case ClockTick::FaceStep::Keep:
        break;
    case ClockTick::FaceStep::ShowPrepared:
        // The face of this minute was prepared a minute ahead.
        Chart1->setFacePicture(Faces[minute % 2]);
        break;
    case ClockTick::FaceStep::RedrawBoth:
        FFaceRenderer.DrawFace(Faces[minute % 2], Skin, hourAngle, MinuteAngle(minute));
        Chart1->setFacePicture(Faces[minute % 2]);
        break;
    }
    FShownFace = ClockTick::FaceMinute(hour12, minute);
    Chart1->Tag = minute;
    Chart1->Refresh();

    // The next minute's face is prepared after the present, off screen.
    if (step != ClockTick::FaceStep::Keep)
        FFaceRenderer.DrawFace(Faces[(minute + 1) % 2], Skin, hourAngle, MinuteAngle(minute + 1));
    PollAlarms(now);
}

void ClockWindow::DrawBothFaces(int minute, double hourAngle)
{
    FFaceRenderer.DrawFace(Faces[minute % 2], Skin, hourAngle, MinuteAngle(minute));
    Chart1->setFacePicture(Faces[minute % 2]);
    FFaceRenderer.DrawFace(Faces[(minute + 1) % 2], Skin, hourAngle, MinuteAngle(minute + 1));
}

void ClockWindow::PollAlarms(const QDateTime& now)
{
    if (FAlarmSchedule)
        FAlarmSchedule->PollAlarms(DateTimeFromLocal(now));
}

void ClockWindow::FullRefresh(int hour12, int minute, double hourAngle)
{
    if (mShow->isChecked()) {
        // Set on the native window: changing the widget's flags would
        // replace it, and the windows open over the clock would lose their
        // place above it.
        if (QWindow* native = windowHandle())
            native->setFlag(Qt::WindowStaysOnTopHint, FOptions->StayOnTop());
        ApplyTaskbarButton();
    }
    ShapeForm();
    DrawBothFaces(minute, hourAngle);
    FShownFace = ClockTick::FaceMinute(hour12, minute);

    const TSkin drawn = SkinToDraw(Skin);
    ClockTick::ApplyMarkerStyle(Chart1->srsSec(), drawn);
    Tag = ClockTick::kAfterFirstTick;
    ApplyTexture(Chart1->ColorBand());
    // The font's size follows the clock's size on the desktop; its pixels,
    // and the box's offset, the resolution of the surface's picture.
    ClockTick::SetUpReadout(Chart1->srsDigit(), drawn, Chart1->width(), logicalDpiY() * Chart1->devicePixelRatioF());
    Chart1->Tag = minute;
}

void ClockWindow::ShapeForm()
{
    const int side = WindowSide(Skin.ClockSize);
    // Resizing a minimised window restores it (Qt under openbox, at least):
    // a hidden clock keeps its size and is reshaped when it is shown again.
    if (isMinimized() && size() != QSize(side, side)) {
        FReshapeWhenRestored = true;
    } else if (size() != QSize(side, side)) {
        resize(side, side);
        FResizeMoves.start();
    }
    setMask(RegionOf(WindowOutline(size(), ShapeOf(Skin))));
    for (QImage& face : Faces)
        face = QImage(Chart1->PictureSize(), kRasterFormat);
    setWindowOpacity(WindowAlpha(Skin.Transparency) / 255.0);
}
