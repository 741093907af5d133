#include "alarms/ui/AlarmWindow.h"

#include "alarms/AlarmMessage.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/DialogOwner.h"
#include "platform/dialogs/LocalFileOpener.h"
#include "platform/files/FileNames.h"
#include "platform/text/DateTime.h"
#include "platform/files/MessageError.h"
#include "platform/sound/MediaPlayer.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/sound/SoundError.h"
#include "ui_AlarmWindow.h"

#include <QFileInfo>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

constexpr int kTimerIntervalMs = 1000;
constexpr int kSecondsPerMinute = 60;
// Designer forms know point sizes only; the text is 30 pixels high, the
// alarm's time and name above it large enough to read across a room.
constexpr int kTextPixelHeight = 30;
constexpr int kTimePixelHeight = 64;
constexpr int kNamePixelHeight = 28;
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
    , m_pictureLabel(ui->Image1)
    , m_textLabel(ui->StaticText1)
    , m_snoozeHint(ui->lblSnooze)
    , m_errorLabel(ui->lblError)
    , m_soundTimer(new QTimer(this))
    , m_player(new MediaPlayer(this))
{
    QFont textFont = m_textLabel->font();
    textFont.setPixelSize(kTextPixelHeight);
    m_textLabel->setFont(textFont);
    for (const auto& [label, pixels] : { std::pair(ui->lblAlarmTime, kTimePixelHeight), std::pair(ui->lblAlarmName, kNamePixelHeight) }) {
        QFont font = label->font();
        font.setPixelSize(pixels);
        font.setBold(true);
        label->setFont(font);
    }
    auto* snoozeMenu = new QMenu(ui->bbSnooze);
    addSnoozeActions(*snoozeMenu);
    connect(snoozeMenu, &QMenu::triggered, this, [this](const QAction* chosen) { snoozeFor(chosen->data().toInt()); });
    ui->bbSnooze->setMenu(snoozeMenu);
    connect(ui->bbSnooze, &QToolButton::clicked, this, [this] { snoozeFor(kSnoozeMinutes.front()); });
    connect(ui->bbDismiss, &QPushButton::clicked, this, &AlarmWindow::dismiss);
    for (QLabel* label : { m_pictureLabel, m_textLabel, ui->lblAlarmTime, ui->lblAlarmName })
        label->installEventFilter(this);

    m_soundTimer->setObjectName(QStringLiteral("Timer1"));
    m_soundTimer->setInterval(kTimerIntervalMs);
    m_player->setObjectName(QStringLiteral("MediaPlayer1"));
    connect(m_soundTimer, &QTimer::timeout, this, &AlarmWindow::onSoundSecond);
    connect(m_player, &MediaPlayer::Notify, this, &AlarmWindow::onPlayEnded);
}

AlarmWindow::~AlarmWindow() = default;

int AlarmWindow::present(AlarmRecord r, Snoozing snoozing)
{
    if (m_soundPlaying || m_presenting)
        return 0;
    m_presenting = true;
    m_snoozeMinutes = 0;
    m_snoozeHint->setVisible(snoozing == Snoozing::Offered);
    ui->bbSnooze->setVisible(snoozing == Snoozing::Offered);
    showAlarmHeading(r);
    m_errorLabel->clear();
    m_errorLabel->hide();
    if (r.AudioPic)
        presentPictureOrText(r);
    else
        presentDocument(r);
    return std::exchange(m_snoozeMinutes, 0);
}

void AlarmWindow::showAlarmHeading(const AlarmRecord& r)
{
    ui->lblAlarmTime->setText(AlarmTimeText(TimeOf(r.AlarmTime)));
    const QString name = r.Name.text().trimmed();
    ui->lblAlarmName->setText(name);
    ui->lblAlarmName->setVisible(!name.isEmpty());
    // Snoozing is what a half-awake hand reaches first.
    (ui->bbSnooze->isVisibleTo(this) ? static_cast<QWidget*>(ui->bbSnooze) : ui->bbDismiss)->setFocus();
}

void AlarmWindow::presentPictureOrText(const AlarmRecord& r)
{
    const QString visualFile = r.VisualFile.text();
    const QString textInstead = TextInsteadOfPicture(visualFile, r.Name.text());
    if (r.Sound && IsExistingFile(r.SoundFile.text())) {
        try {
            startSound(r);
        } catch (const SoundError& error) {
            reportError(error.message());
        }
    }
    if (IsExistingFile(visualFile)) {
        try {
            showPicture(visualFile);
        } catch (const MessageError& error) {
            // A picture that cannot be read or decoded.
            showText(textInstead);
            reportError(error.message());
        }
    } else {
        showText(textInstead);
    }
    if (m_soundPlaying)
        m_player->WaitUntilHeard(kSoundStartWaitMs);
    showModalUnlessOnScreen();
}

void AlarmWindow::presentDocument(const AlarmRecord& r)
{
    const QString docFile = r.DocFile.text();
    if (IsExistingFile(docFile)) {
        OpenLocalFile(docFile, [docFile](const QString& reason) {
            ShowError(tr("Cannot open the document \"%1\": %2.").arg(docFile, reason));
        });
        m_presenting = false;
        return;
    }
    showText(TextInsteadOfDocument(r.Name.text()));
    showModalUnlessOnScreen();
}

void AlarmWindow::startSound(const AlarmRecord& r)
{
    m_player->SetFileName(r.SoundFile.text());
    m_player->Open();
    m_player->Play();
    m_soundPlaying = true;
    m_timerCount = 0;
    if (r.StaysOn > 0)
        m_soundTimer->start();
    else
        m_soundTimer->stop();
    m_soundSeconds = std::int64_t(r.StaysOn) * kSecondsPerMinute;
}

void AlarmWindow::showPicture(const QString& fileName)
{
    m_picture = LoadPicture(fileName);
    m_pictureLabel->setPixmap(pictureForRoom());
    disconnect(m_workAreaChanged);
    m_workAreaChanged = connect(screen(), &QScreen::availableGeometryChanged, this, &AlarmWindow::refitPicture);
    m_textLabel->hide();
    m_pictureLabel->show();
    fitToContent();
}

QPixmap AlarmWindow::pictureForRoom() const
{
    // The window manager's frame counts once it has framed the window.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    QSize room = screen()->availableGeometry().size().shrunkBy(frame);
    // The lines above and below the picture keep their room.
    for (const QWidget* line : { static_cast<const QWidget*>(ui->lblAlarmTime), static_cast<const QWidget*>(ui->lblAlarmName),
             static_cast<const QWidget*>(m_snoozeHint), static_cast<const QWidget*>(ui->bbDismiss) })
        if (line->isVisibleTo(this))
            room.rheight() -= line->sizeHint().height();
    room.rheight() -= ui->layoutButtons->contentsMargins().top() + ui->layoutButtons->contentsMargins().bottom();
    const bool fits = m_picture.width() <= room.width() && m_picture.height() <= room.height();
    return QPixmap::fromImage(fits ? m_picture : m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void AlarmWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    refitPicture();
}

void AlarmWindow::refitPicture()
{
    // A picture fitted before the window manager framed the window, before
    // the work area changed or on another screen is fitted again.
    if (m_picture.isNull() || !isVisible())
        return;
    const QPixmap fitted = pictureForRoom();
    if (fitted.size() == m_pictureLabel->pixmap().size())
        return;
    m_pictureLabel->setPixmap(fitted);
    fitToContent();
    centre();
}

void AlarmWindow::showText(const QString& text)
{
    m_pictureLabel->hide();
    m_pictureLabel->clear();
    m_picture = QImage();
    m_textLabel->setText(text);
    m_textLabel->show();
    fitToContent();
}

void AlarmWindow::fitToContent()
{
    layout()->activate();
    if (!m_errorLabel->isVisibleTo(this)) {
        resize(sizeHint());
        return;
    }
    // The error lines wrap within the width of the picture or text, or
    // within a width that still reads well when that is narrower.
    const QLabel* content = m_pictureLabel->isVisibleTo(this) ? m_pictureLabel : m_textLabel;
    const int errorWidth = m_errorLabel->fontMetrics().horizontalAdvance(m_errorLabel->text()) + 2 * m_errorLabel->margin();
    const int width = std::max(content->sizeHint().width(), std::min(errorWidth, kErrorLineMinWidth));
    resize(width, layout()->totalHeightForWidth(width));
}

void AlarmWindow::showModalUnlessOnScreen()
{
    if (isVisible())
        return;
    centre();
    // Stays on top of every window, the clock too; blocks no other window,
    // so the tray icon keeps working while the alarm is up.
    MakeModalToItsWindow(*this);
    exec();
}

void AlarmWindow::centre()
{
    // Placed explicitly: a window manager places a window that leaves its
    // position to it by rules of its own.
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - QRect(QPoint(), frameGeometry().size()).center());
}

void AlarmWindow::reportError(const QString& message)
{
    const QString shown = m_errorLabel->text();
    m_errorLabel->setText(shown.isEmpty() ? message : shown + u'\n' + message);
    m_errorLabel->show();
    fitToContent();
}

void AlarmWindow::endSoundAfterError(const QString& message)
{
    // Presenting without sound from here on: the window waits for a click,
    // and the clock checks alarms again.
    m_player->Stop();
    m_soundTimer->stop();
    m_soundPlaying = false;
    reportError(message);
}

void AlarmWindow::dismiss()
{
    close();
}

void AlarmWindow::onSoundSecond()
{
    if (m_timerCount > m_soundSeconds && m_soundPlaying)
        close();
    if (m_soundPlaying)
        ++m_timerCount;
}

void AlarmWindow::onPlayEnded()
{
    if (!m_player->ErrorString().isEmpty()) {
        endSoundAfterError(m_player->ErrorString());
        return;
    }
    if (m_soundSeconds > 0 && isVisible())
        m_player->Play();
    else
        close();
}

void AlarmWindow::addSnoozeActions(QMenu& menu)
{
    for (const int minutes : kSnoozeMinutes)
        menu.addAction(tr("Snooze %1 minutes").arg(minutes))->setData(minutes);
}

void AlarmWindow::snoozeFor(int minutes)
{
    m_snoozeMinutes = minutes;
    close();
}

void AlarmWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_snoozeHint->isVisibleTo(this)) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    addSnoozeActions(menu);
    // The window closes once the menu has.
    if (const QAction* chosen = menu.exec(event->globalPos()))
        snoozeFor(chosen->data().toInt());
}

void AlarmWindow::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    const bool snoozeOffered = m_snoozeHint->isVisibleTo(this);
    if (snoozeOffered && event->key() == Qt::Key_S && plain) {
        snoozeFor(kSnoozeMinutes.front());
        return;
    }
    // Enter snoozes where snoozing is offered, else dismisses; on the
    // Dismiss button it dismisses.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        if (snoozeOffered && !ui->bbDismiss->hasFocus())
            snoozeFor(kSnoozeMinutes.front());
        else
            dismiss();
        return;
    }
    QDialog::keyPressEvent(event);
}

void AlarmWindow::done(int result)
{
    endPresentation();
    QDialog::done(result);
}

void AlarmWindow::endPresentation()
{
    if (m_soundPlaying)
        m_player->Stop();
    m_soundPlaying = false;
    m_presenting = false;
    m_soundTimer->stop();
    m_picture = QImage();
    disconnect(m_workAreaChanged);
}

bool AlarmWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The picture or text, and the alarm's time and name over it.
    const bool isControl = watched == m_pictureLabel || watched == m_textLabel || watched == ui->lblAlarmTime
        || watched == ui->lblAlarmName;
    if (isControl && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        dismiss();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
