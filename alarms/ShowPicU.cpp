#include "alarms/ShowPicU.h"

#include "alarms/AlarmMessage.h"
#include "alarms/PresentationFlags.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/IoError.h"
#include "platform/MediaPlayer.h"
#include "platform/PictureError.h"
#include "platform/PictureLoader.h"
#include "platform/SoundError.h"
#include "ui_ShowPicU.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace {

constexpr int kTimerIntervalMs = 1000;
constexpr int kSecondsPerMinute = 60;
// Designer forms know point sizes only; the text is 30 pixels high.
constexpr int kTextPixelHeight = 30;

std::unique_ptr<Ui::frmShowPic> BuildForm(QDialog* window)
{
    auto ui = std::make_unique<Ui::frmShowPic>();
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

TfrmShowPic::TfrmShowPic()
    : QDialog(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
    , ui(BuildForm(this))
    , Image1(ui->Image1)
    , StaticText1(ui->StaticText1)
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
    connect(Timer1, &QTimer::timeout, this, &TfrmShowPic::Timer1Timer);
    connect(MediaPlayer1, &MediaPlayer::Notify, this, &TfrmShowPic::MediaPlayer1Notify);
}

TfrmShowPic::~TfrmShowPic() = default;

void TfrmShowPic::ShowAlarm(TAlarmRec r)
{
    if (SoundPlaying || PresentationActive)
        return;
    PresentationActive = true;
    if (r.AudioPic)
        PresentPictureOrText(r);
    else
        PresentDocument(r);
}

void TfrmShowPic::PresentPictureOrText(const TAlarmRec& r)
{
    const QString visualFile = r.VisualFile.text();
    try {
        if (r.Sound && IsExistingFile(r.SoundFile.text()))
            StartSound(r);
        if (IsExistingFile(visualFile))
            ShowPicture(visualFile);
        else
            ShowText(TextInsteadOfPicture(visualFile, r.Name.text()));
    } catch (const SoundError& error) {
        EndAfterError(error.message());
        return;
    } catch (const PictureError& error) {
        EndAfterError(error.message());
        return;
    } catch (const IoError& error) {
        EndAfterError(error.message());
        return;
    }
    ShowModalUnlessOnScreen();
}

void TfrmShowPic::PresentDocument(const TAlarmRec& r)
{
    const QString docFile = r.DocFile.text();
    if (IsExistingFile(docFile)) {
        const QUrl document = QUrl::fromLocalFile(QFileInfo(docFile).absoluteFilePath());
        if (!QDesktopServices::openUrl(document))
            ShowError(tr("Cannot open the document \"%1\".").arg(docFile));
        PresentationActive = false;
        return;
    }
    ShowText(TextInsteadOfDocument(r.Name.text()));
    ShowModalUnlessOnScreen();
}

void TfrmShowPic::StartSound(const TAlarmRec& r)
{
    MediaPlayer1->SetFileName(r.SoundFile.text());
    MediaPlayer1->Open();
    MediaPlayer1->Play();
    SoundPlaying = true;
    FTimerCount = 0;
    if (r.StaysOn > 0)
        Timer1->start();
    else
        Timer1->stop();
    DurationSeconds = std::int64_t(r.StaysOn) * kSecondsPerMinute;
}

void TfrmShowPic::ShowPicture(const QString& fileName)
{
    FPicture = LoadPicture(fileName);
    Image1->setPixmap(PictureForRoom());
    disconnect(FWorkAreaChanged);
    FWorkAreaChanged = connect(screen(), &QScreen::availableGeometryChanged, this, &TfrmShowPic::RefitPicture);
    StaticText1->hide();
    Image1->show();
    FitToContent();
}

QPixmap TfrmShowPic::PictureForRoom() const
{
    // The window manager's frame counts once it has framed the window.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize room = screen()->availableGeometry().size().shrunkBy(frame);
    const bool fits = FPicture.width() <= room.width() && FPicture.height() <= room.height();
    return QPixmap::fromImage(fits ? FPicture : FPicture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmShowPic::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    RefitPicture();
}

void TfrmShowPic::RefitPicture()
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

void TfrmShowPic::ShowText(const QString& text)
{
    Image1->hide();
    Image1->clear();
    FPicture = QImage();
    StaticText1->setText(text);
    StaticText1->show();
    FitToContent();
}

void TfrmShowPic::FitToContent()
{
    layout()->activate();
    resize(sizeHint());
}

void TfrmShowPic::ShowModalUnlessOnScreen()
{
    if (isVisible())
        return;
    Centre();
    exec();
}

void TfrmShowPic::Centre()
{
    // Placed explicitly: a window manager places a window that leaves its
    // position to it by rules of its own.
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QRect(QPoint(), frameGeometry().size()).center());
}

void TfrmShowPic::EndAfterError(const QString& message)
{
    // The sound stops at once, but the flags stay set while the message is
    // up, so that the clock's tick does not present this alarm again
    // meanwhile.
    MediaPlayer1->Stop();
    Timer1->stop();
    ShowError(message);
    if (isVisible())
        close();
    else
        FormClose();
}

void TfrmShowPic::Image1Click()
{
    close();
}

void TfrmShowPic::Timer1Timer()
{
    if (FTimerCount > DurationSeconds && SoundPlaying)
        close();
    if (SoundPlaying)
        ++FTimerCount;
}

void TfrmShowPic::MediaPlayer1Notify()
{
    // A sound that broke while playing is not repeated.
    if (!MediaPlayer1->ErrorString().isEmpty()) {
        EndAfterError(MediaPlayer1->ErrorString());
        return;
    }
    if (DurationSeconds > 0 && isVisible())
        MediaPlayer1->Play();
    else
        close();
}

void TfrmShowPic::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TfrmShowPic::FormClose()
{
    if (SoundPlaying)
        MediaPlayer1->Stop();
    SoundPlaying = false;
    PresentationActive = false;
    Timer1->stop();
    FPicture = QImage();
    disconnect(FWorkAreaChanged);
}

bool TfrmShowPic::eventFilter(QObject* watched, QEvent* event)
{
    const bool isControl = watched == Image1 || watched == StaticText1;
    if (isControl && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
