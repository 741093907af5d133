#pragma once

#include "alarms/AlarmPresenter.h"
#include "alarms/AlarmRecord.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QMenu;
class QTimer;
class MediaPlayer;
namespace Ui {
class AlarmWindow;
}

// The window of a ringing alarm: the alarm's time and name in large type, a
// picture or a one-line text, and Snooze and Dismiss buttons in a
// stay-on-top window, with the alarm's sound repeating for the chosen time;
// or the alarm's document handed to its registered application. One window
// serves every alarm of the run.
class AlarmWindow : public QDialog, public AlarmPresenter {
    Q_OBJECT

    // Built first: the controls below point into it.
    const std::unique_ptr<Ui::AlarmWindow> ui;

public:
    AlarmWindow();
    ~AlarmWindow() override;

    // Presents the alarm. Returns once the window has closed again, or at
    // once when it opened a document or another alarm is being presented.
    // A sound or picture that cannot be opened does not keep the alarm from
    // the user: the window comes up all the same, without the sound or with
    // the text in place of the picture, and says what went wrong in
    // a line under the picture or text.
    //
    // With snoozing offered, a line under the picture or text says how: a
    // right-click menu and the Snooze button's arrow snooze for 5, 10 or 15
    // minutes, the button itself, Enter and the S key for 5. Dismiss, a
    // click on the picture or text and Escape dismiss.
    // A snooze closes the window and stops the sound like a click. Returns
    // the minutes snoozed, or 0 when the alarm was dismissed (or not shown).
    int present(AlarmRecord r, Snoozing snoozing) override;
    bool isPresenting() const override { return m_presenting; }
    bool isSoundPlaying() const override { return m_soundPlaying; }

    // The lengths a snooze may have, in minutes; the first is the S key's.
    static constexpr std::array<int, 3> kSnoozeMinutes { 5, 10, 15 };

protected:
    // Every way of closing the window ends here.
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A click on the picture or text.
    void dismiss();
    // A second of a repeating sound.
    void onSoundSecond();
    void onPlayEnded();
    // Closes the window, the alarm snoozed for minutes.
    void snoozeFor(int minutes);
    void addSnoozeActions(QMenu& menu);
    // The alarm's time and name above the picture or text.
    void showAlarmHeading(const AlarmRecord& r);
    void endPresentation();
    void presentPictureOrText(const AlarmRecord& r);
    void presentDocument(const AlarmRecord& r);
    void startSound(const AlarmRecord& r);
    // A picture larger than the work area is shown scaled down to fit it
    // with the window's frame, keeping its aspect.
    void showPicture(const QString& fileName);
    QPixmap pictureForRoom() const;
    void refitPicture();
    void showText(const QString& text);
    // The window takes the size of the picture or text it shows.
    void fitToContent();
    void showModalUnlessOnScreen();
    void centre();
    // Adds a line to the errors shown under the picture or text.
    void reportError(const QString& message);
    // A sound that fails while playing is not repeated; the window stays.
    void endSoundAfterError(const QString& message);

    QLabel* const m_pictureLabel;
    QLabel* const m_textLabel;
    // How to snooze, under the picture or text.
    QLabel* const m_snoozeHint;
    QLabel* const m_errorLabel;
    // Ticks once a second while a repeating sound plays ("Timer1"; tests
    // shorten its interval to run a presentation of minutes in moments).
    QTimer* const m_soundTimer;
    MediaPlayer* const m_player;
    // How long the sound may keep repeating: StaysOn minutes in seconds.
    std::int64_t m_soundSeconds = 0;
    // The sound timer's count of seconds; it reads k-1 at the k-th tick.
    std::int64_t m_timerCount = 0;
    // Minutes the running presentation was snoozed for; 0 while none.
    int m_snoozeMinutes = 0;
    // The picture being shown, at its own size.
    QImage m_picture;
    QMetaObject::Connection m_workAreaChanged;
    bool m_presenting = false;
    bool m_soundPlaying = false;
};
