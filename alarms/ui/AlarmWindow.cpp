#include "alarms/ui/AlarmWindow.h"

#include "alarms/AlarmMessage.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/DialogOwner.h"
#include "platform/files/FileNames.h"
#include "platform/files/MessageError.h"
#include "platform/sound/MediaPlayer.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/sound/SoundError.h"
#include "ui_AlarmWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

constexpr int kTimerIntervalMs = 1000;
constexpr int kSecondsPerMinute = 60;
// Designer forms know point sizes only; the text is 30 pixels high.
constexpr int kTextPixelHeight = 30;
constexpr int kErrorLineMinWidth = 360;
// The window waits at most this long for its sound to be heard, so that
// both come together; a sound that is late or fails does not hold it longer.
constexpr int kSoundStartWaitMs = 150;

std::unique_ptr<Ui::AlarmWindow> BuildForm(QDialog* window)
{
    auto ui = std::make_unique<Ui::AlarmWindow>();
    ui->setupUi(window);
    return ui;
}

// A folder of the name does not count: it cannot be played, shown or opened
// as a file.
bool IsExistingFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

} // namespace

AlarmWindow::AlarmWindow()
    : QDialog(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
    , ui(BuildForm(this))
    , Image1(ui->Image1)
    , StaticText1(ui->StaticText1)
    , lblSnooze(ui->lblSnooze)
    , lblError(ui->lblError)
    , Timer1(new QTimer(this))
    , MediaPlayer1(new MediaPlayer(this))
{
    // The clock may be hidden in the tray: closing the alarm must not end
    // the program as the last window closing would.
    setAttribute(Qt::WA_QuitOnClose, false);

    QFont textFont = StaticText1->font();
    textFont.setPixelSize(kTextPixelHeight);
    StaticText1->setFont(textFont);
    Image1->installEventFilter(this);
    StaticText1->installEventFilter(this);

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerIntervalMs);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    connect(Timer1, &QTimer::timeout, this, &AlarmWindow::Timer1Timer);
    connect(MediaPlayer1, &MediaPlayer::Notify, this, &AlarmWindow::MediaPlayer1Notify);
}

AlarmWindow::~AlarmWindow() = default;

int AlarmWindow::present(const TAlarmRec& alarm, Snoozing snoozing)
{
    if (m_soundPlaying || m_presenting)
        return 0;
    // A copy: the caller's record may change while the window is up.
    const TAlarmRec r = alarm;
    m_presenting = true;
    FSnoozeMinutes = 0;
    lblSnooze->setVisible(snoozing == Snoozing::Offered);
    lblError->clear();
    lblError->hide();
    if (r.AudioPic)
        PresentPictureOrText(r);
    else
        PresentDocument(r);
    return std::exchange(FSnoozeMinutes, 0);
}

void AlarmWindow::PresentPictureOrText(const TAlarmRec& r)
{
    const QString visualFile = r.VisualFile.text();
    const QString textInstead = TextInsteadOfPicture(visualFile, r.Name.text());
    if (r.Sound && IsExistingFile(r.SoundFile.text())) {
        try {
            StartSound(r);
        } catch (const SoundError& error) {
            ReportError(error.message());
        }
    }
    if (IsExistingFile(visualFile)) {
        try {
            ShowPicture(visualFile);
        } catch (const MessageError& error) {
            // A picture that cannot be read or decoded.
            ShowText(textInstead);
            ReportError(error.message());
        }
    } else {
        ShowText(textInstead);
    }
    if (m_soundPlaying)
        MediaPlayer1->WaitUntilHeard(kSoundStartWaitMs);
    ShowModalUnlessOnScreen();
}

void AlarmWindow::PresentDocument(const TAlarmRec& r)
{
    const QString docFile = r.DocFile.text();
    if (IsExistingFile(docFile)) {
        const QUrl document = QUrl::fromLocalFile(QFileInfo(docFile).absoluteFilePath());
        if (!QDesktopServices::openUrl(document))
            ShowError(tr("Cannot open the document \"%1\".").arg(docFile));
        m_presenting = false;
        return;
    }
    ShowText(TextInsteadOfDocument(r.Name.text()));
    ShowModalUnlessOnScreen();
}

void AlarmWindow::StartSound(const TAlarmRec& r)
{
    MediaPlayer1->SetFileName(r.SoundFile.text());
    MediaPlayer1->Open();
    MediaPlayer1->Play();
    m_soundPlaying = true;
    FTimerCount = 0;
    if (r.StaysOn > 0)
        Timer1->start();
    else
        Timer1->stop();
    DurationSeconds = std::int64_t(r.StaysOn) * kSecondsPerMinute;
}

void AlarmWindow::ShowPicture(const QString& fileName)
{
    FPicture = LoadPicture(fileName);
    Image1->setPixmap(PictureForRoom());
    disconnect(FWorkAreaChanged);
    FWorkAreaChanged = connect(screen(), &QScreen::availableGeometryChanged, this, &AlarmWindow::RefitPicture);
    StaticText1->hide();
    Image1->show();
    FitToContent();
}

QPixmap AlarmWindow::PictureForRoom() const
{
    // The window manager's frame counts once it has framed the window.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    QSize room = screen()->availableGeometry().size().shrunkBy(frame);
    if (lblSnooze->isVisibleTo(this))
        room.rheight() -= lblSnooze->sizeHint().height();
    const bool fits = FPicture.width() <= room.width() && FPicture.height() <= room.height();
    return QPixmap::fromImage(fits ? FPicture : FPicture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void AlarmWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    RefitPicture();
}

void AlarmWindow::RefitPicture()
{
    // A picture fitted before the window manager framed the window, before
    // the work area changed or on another screen is fitted again.
    if (FPicture.isNull() || !isVisible())
        return;
    const QPixmap fitted = PictureForRoom();
    if (fitted.size() == Image1->pixmap().size())
        return;
    Image1->setPixmap(fitted);
    FitToContent();
    Centre();
}

void AlarmWindow::ShowText(const QString& text)
{
    Image1->hide();
    Image1->clear();
    FPicture = QImage();
    StaticText1->setText(text);
    StaticText1->show();
    FitToContent();
}

void AlarmWindow::FitToContent()
{
    layout()->activate();
    if (!lblError->isVisibleTo(this)) {
        resize(sizeHint());
        return;
    }
    // The error lines wrap within the width of the picture or text, or
    // within a width that still reads well when that is narrower.
    const QLabel* content = Image1->isVisibleTo(this) ? Image1 : StaticText1;
    const int errorWidth = lblError->fontMetrics().horizontalAdvance(lblError->text()) + 2 * lblError->margin();
    const int width = std::max(content->sizeHint().width(), std::min(errorWidth, kErrorLineMinWidth));
    resize(width, layout()->totalHeightForWidth(width));
}

void AlarmWindow::ShowModalUnlessOnScreen()
{
    if (isVisible())
        return;
    Centre();
    // Stays on top of every window, the clock too; blocks no other window,
    // so the tray icon keeps working while the alarm is up.
    MakeModalToItsWindow(*this);
    exec();
}

void AlarmWindow::Centre()
{
    // Placed explicitly: a window manager places a window that leaves its
    // position to it by rules of its own.
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QRect(QPoint(), frameGeometry().size()).center());
}

void AlarmWindow::ReportError(const QString& message)
{
    const QString shown = lblError->text();
    lblError->setText(shown.isEmpty() ? message : shown + u'\n' + message);
    lblError->show();
    FitToContent();
}

void AlarmWindow::EndSoundAfterError(const QString& message)
{
    // Presenting without sound from here on: the window waits for a click,
    // and the clock checks alarms again.
    MediaPlayer1->Stop();
    Timer1->stop();
    m_soundPlaying = false;
    ReportError(message);
}

void AlarmWindow::Image1Click()
{
    close();
}

void AlarmWindow::Timer1Timer()
{
    if (FTimerCount > DurationSeconds && m_soundPlaying)
        close();
    if (m_soundPlaying)
        ++FTimerCount;
}

void AlarmWindow::MediaPlayer1Notify()
{
    if (!MediaPlayer1->ErrorString().isEmpty()) {
        EndSoundAfterError(MediaPlayer1->ErrorString());
        return;
    }
    if (DurationSeconds > 0 && isVisible())
        MediaPlayer1->Play();
    else
        close();
}

void AlarmWindow::SnoozeFor(int minutes)
{
    FSnoozeMinutes = minutes;
    close();
}

void AlarmWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (!lblSnooze->isVisibleTo(this)) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    for (const int minutes : kSnoozeMinutes)
        menu.addAction(tr("Snooze %1 minutes").arg(minutes))->setData(minutes);
    // The window closes once the menu has.
    if (const QAction* chosen = menu.exec(event->globalPos()))
        SnoozeFor(chosen->data().toInt());
}

void AlarmWindow::keyPressEvent(QKeyEvent* event)
{
    if (lblSnooze->isVisibleTo(this) && event->key() == Qt::Key_S && !(event->modifiers() & ~Qt::KeypadModifier)) {
        SnoozeFor(kSnoozeMinutes.front());
        return;
    }
    QDialog::keyPressEvent(event);
}

void AlarmWindow::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void AlarmWindow::FormClose()
{
    if (m_soundPlaying)
        MediaPlayer1->Stop();
    m_soundPlaying = false;
    m_presenting = false;
    Timer1->stop();
    FPicture = QImage();
    disconnect(FWorkAreaChanged);
}

bool AlarmWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool isControl = watched == Image1 || watched == StaticText1;
    if (isControl && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
