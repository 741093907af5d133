#include "alarms/AlarmChange.h"
#include "alarms/SnoozeFile.h"
#include "alarms/ui/AlarmEditor.h"
#include "alarms/ui/AlarmReportWindow.h"
#include "alarms/ui/AlarmWindow.h"
#include "app/ClockWindow.h"
#include "desktop/SingleInstanceGuard.h"
#include "options/OptionsWindow.h"
#include "overlay/OverlaySurface.h"
#include "platform/dialogs/Application.h"
#include "platform/text/LocalClock.h"
#include "program/ClockProgram.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

// The program's windows with its alarm store and schedule: the store is read
// and checked at the start, saved first by SaveSettings, and polled by the
// clock's tick.
class ClockAlarmsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<TempFolder>();
        folder->becomeProgramFolder();
        messages.clear();
        now = Moment(2004, 3, 10, 8, 0);
        previousClock = SetLocalClockSource([this] { return LocalFromDateTime(now); });
        previousMessages = SetMessagePresenter([this](const QString& message) { messages.append(message); });
    }

    void cleanup()
    {
        program.reset();
        SetLocalClockSource(previousClock);
        SetMessagePresenter(previousMessages);
        folder.reset();
    }

    void creationReadsTheStoreAndRunsTheStartupPass()
    {
        AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), QStringLiteral("Wake"));
        AlarmRecord expired = OnceAlarm(QDate(2004, 3, 1), 7, 0);
        expired.DeleteAfterExpiration = true;
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ expired, wake }));

        CreateWindows();
        QTRY_COMPARE(program->reportWindow().reports(),
            QStringList { QStringLiteral("Alarm \"Wake\" should've rung earlier(at 7: 05 am) today.") });
        QVERIFY(messages.isEmpty());
        QCOMPARE(program->alarmStore().size(), std::size_t(1));
        QCOMPARE(program->alarmStore().records()[0].Name.text(), QStringLiteral("Wake"));
    }

    // The start-up reports share one window, which does not block: while it
    // is open the clock is on screen, ticks and rings an alarm that comes
    // due, and a later report joins its list.
    void theStartupReportIsOneWindowThatLetsTheClockRunAndRing()
    {
        AlarmRecord missed = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 5), QStringLiteral("Missed"));
        AlarmRecord alsoMissed = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 30), QStringLiteral("Also missed"));
        AlarmRecord due = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 1), QStringLiteral("Due"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ missed, alsoMissed, due }));
        CreateWindows();
        RecordingPresenter presenter;
        const QStringList& presented = presenter.presentedNames;
        program->alarmSchedule().setPresenter(&presenter);
        AlarmReportWindow& reports = program->reportWindow();
        QTRY_COMPARE(reports.reports().size(), 2);
        QVERIFY(reports.isVisible() && !reports.isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(reports.parentWidget(), &program->clockWindow()); // above the clock

        ClockWindow& clock = program->clockWindow();
        clock.tick(); // the first tick: a full refresh
        QVERIFY(clock.isVisible() && !clock.findChild<OverlaySurface*>()->scene().FacePicture.isNull());
        now = Moment(2004, 3, 10, 8, 1, 4);
        clock.tick();
        QCOMPARE(presented, QStringList { QStringLiteral("Due") });

        // Set forward past Wake: its report joins the same window.
        AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 30), QStringLiteral("Wake"));
        program->alarmStore().add(wake);
        now = Moment(2004, 3, 10, 8, 45);
        clock.tick();
        QTRY_COMPARE(reports.reports().size(), 3);
        QCOMPARE(reports.reports()[2], QStringLiteral("Alarm \"Wake\" should've rung earlier(at 8: 30 am) today."));
        int reportWindows = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            reportWindows += qobject_cast<AlarmReportWindow*>(window) && window->isVisible();
        QCOMPARE(reportWindows, 1);

        QTest::mouseClick(reports.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        QVERIFY(!reports.isVisible());
        QVERIFY(reports.reports().isEmpty());
        QVERIFY(messages.isEmpty());
    }

    void saveSettingsWritesTheStoreFirst()
    {
        CreateWindows();
        QCoreApplication::processEvents(); // the clock reads its settings
        program->alarmStore().replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 7, 5) });
        program->SaveSettings();
        QCOMPARE(folder->read(QStringLiteral("Alarm/Alarms.cfg")), StoreBytes(program->alarmStore().records()));
        QVERIFY(QFile::exists(folder->file(QStringLiteral("vellamor.ini"))));
    }

    // A store the clock could not read survives the run and its exit save;
    // the settings are still saved.
    void aStoreThatCouldNotBeReadSurvivesTheClosing()
    {
        const QString path = folder->file(QStringLiteral("Alarm/Alarms.cfg"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), QByteArray());
        const qint64 tooLarge = qint64(AlarmStore::kMaxAlarms + 1) * qint64(kAlarmRecordSize);
        QFile(path).resize(tooLarge);
        QStringList errors;
        const ErrorPresenter previousErrors = SetErrorPresenter([&errors](const QString& error) { errors << error; });
        CreateWindows();
        program->clockWindow().activateWindow();
        QTRY_COMPARE(errors.size(), 1);
        SetErrorPresenter(previousErrors);
        QVERIFY2(errors[0].contains("The file is kept as it is"), qPrintable(errors[0]));
        program->alarmStore().add(DailyAlarm(1, QDate(2004, 1, 1), 7, 5));
        program->SaveSettings();
        QCOMPARE(QFileInfo(path).size(), tooLarge);
        QCOMPARE(QFile(program->alarmStore().keptApartFileName()).size(), qint64(kAlarmRecordSize));
        QVERIFY(QFile::exists(folder->file(QStringLiteral("vellamor.ini"))));
    }

    void aStoreThatCannotBeWrittenEndsSaveSettingsBeforeAnyKey()
    {
        CreateWindows();
        QDir().mkpath(folder->file(QStringLiteral("Alarm/Alarms.cfg")));
        QVERIFY_THROWS_EXCEPTION(std::exception, program->SaveSettings());
        QVERIFY(!QFile::exists(folder->file(QStringLiteral("vellamor.ini"))));
    }

    void theTickRingsTheDueAlarm()
    {
        CreateWindows();
        RecordingPresenter presenter;
        const QStringList& presented = presenter.presentedNames;
        program->alarmSchedule().setPresenter(&presenter);
        AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 1), QStringLiteral("Wake"));
        program->alarmStore().replaceAll({ wake });

        program->clockWindow().tick(); // the first tick is a full refresh
        now = Moment(2004, 3, 10, 8, 1, 3);
        program->clockWindow().tick();
        QVERIFY(presented.isEmpty());
        now = Moment(2004, 3, 10, 8, 1, 4);
        program->clockWindow().tick();
        QCOMPARE(presented, QStringList { QStringLiteral("Wake") });
        QCOMPARE(program->alarmStore().records()[0].LastRung, Day(2004, 3, 10));
    }

    // The alarm list is never stale: a ring, and a jump of the clock past
    // an alarm's time, rewrite the next dates shown.
    void theListFollowsARingAndAClockJump()
    {
        AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 1), QStringLiteral("Wake"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ wake, OnceAlarm(QDate(2004, 3, 10), 23, 30) }));
        CreateWindows();
        RecordingPresenter presenter;
        program->alarmSchedule().setPresenter(&presenter);
        auto* list = optionsWindow().findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("10 Mar 2004"));
        QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("10 Mar 2004"));

        program->clockWindow().tick(); // the first tick is a full refresh
        now = Moment(2004, 3, 10, 8, 1, 4);
        program->clockWindow().tick();
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("11 Mar 2004"));

        // Set forward past the one-time alarm, which then never rings.
        now = Moment(2004, 3, 10, 23, 45, 0);
        program->clockWindow().tick();
        QCOMPARE(list->topLevelItem(1)->text(3), QStringLiteral("<Expired>"));
    }

    void doneEndsTheEditAndSavesTheStoreByteForByte()
    {
        // A store written elsewhere, with odd bytes where nothing is read.
        std::vector<AlarmRecordBytes> written;
        for (const AlarmRecord& alarm : { DailyAlarm(1, QDate(2004, 1, 1), 7, 5), OnceAlarm(QDate(2004, 3, 11), 9, 0) }) {
            AlarmRecordBytes bytes = WriteAlarmRecord(alarm);
            for (const std::size_t odd : { 1, 7, 20, 42, 60, 72, 81, 96, 667 })
                bytes[odd] = std::uint8_t(0xA0 + odd % 16);
            written.push_back(bytes);
        }
        QByteArray original;
        for (const AlarmRecordBytes& bytes : written)
            original.append(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), original);

        CreateWindows();
        OptionsWindow& options = optionsWindow();
        options.show();
        options.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        auto* list = options.findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));
        QCOMPARE(list->currentItem(), list->topLevelItem(0)); // the page selects the first alarm
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
        QTest::mouseClick(options.findChild<QToolButton*>(QStringLiteral("tbEditSelected")), Qt::LeftButton);
        options.findChild<QLineEdit*>(QStringLiteral("eName"))->setText(QStringLiteral("Dentist"));
        QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("bbDone")), Qt::LeftButton);

        QVERIFY(!options.findChild<AlarmEditor*>()->isEditing());
        const QByteArray saved = folder->read(QStringLiteral("Alarm/Alarms.cfg"));
        QCOMPARE(saved, StoreBytes(program->alarmStore().records()));
        QCOMPARE(saved.left(672), original.left(672));
        AlarmRecordBytes expected = written[1];
        AlarmRecord edited = ReadAlarmRecord(expected);
        edited.Name.setText(QStringLiteral("Dentist"));
        edited.AlarmTime = Moment(2004, 3, 10, 9, 0);
        expected = WriteAlarmRecord(edited);
        QCOMPARE(saved.mid(672), QByteArray(reinterpret_cast<const char*>(expected.data()), 672));
    }

    void theEditorFollowsTheReadoutsHourFormat()
    {
        CreateWindows();
        program->alarmStore().replaceAll({ DailyAlarm(1, QDate(2004, 1, 1), 19, 5) });
        OptionsWindow& options = optionsWindow();
        auto* list = options.findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));
        program->settings().setReadoutFormatIndex(0);
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("7: 05 pm"));
        options.show();
        // On its mark: the button takes clicks on the mark and caption only.
        auto* twentyFour = options.findChild<QRadioButton*>(QStringLiteral("rbDigFormat24"));
        QTest::mouseClick(twentyFour, Qt::LeftButton, {}, QPoint(6, twentyFour->height() / 2));
        QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("19: 05"));
    }

    // What the command-line companion hands over through the single-instance
    // channel reaches the alarms in memory, the editor's list and the file.
    void handedOverChangesAreListedAndSaved()
    {
        AlarmRecord first = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 0), QStringLiteral("First"));
        AlarmRecord second = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 0), QStringLiteral("Second"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ first, second }));
        CreateWindows();
        auto* list = optionsWindow().findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));
        // Unchecked by the user, not yet saved.
        list->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        const auto request = [this](const QByteArray& line) { return program->instanceGuard().OnRequest(line); };
        const QString storePath = program->alarmStore().fileName();
        const auto fileMatchesMemory = [&] {
            return folder->read(QStringLiteral("Alarm/Alarms.cfg")) == StoreBytes(program->alarmStore().records());
        };

        AlarmRecord added = Named(OnceAlarm(QDate(2004, 3, 11), 9, 0), QStringLiteral("Added"));
        QCOMPARE(request(AlarmChangeRequest(storePath, { AlarmChange::Kind::Add, added, -1, {} })), QByteArray("done\t2\n"));
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("Added"));
        QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
        QVERIFY(!program->alarmStore().records()[1].Enabled);
        QVERIFY(fileMatchesMemory());

        // Another store is not this clock's.
        QCOMPARE(request(AlarmChangeRequest(folder->file(QStringLiteral("other.cfg")), { AlarmChange::Kind::Delete, {}, 0, {} })),
            QByteArray("elsewhere\n"));
        QCOMPARE(request("show me\n"), QByteArray("elsewhere\n"));
        QCOMPARE(program->alarmStore().size(), std::size_t(3));

        QCOMPARE(request(AlarmChangeRequest(storePath, { AlarmChange::Kind::Delete, {}, 0, {} })), QByteArray("done\t0\n"));
        QCOMPARE(request(AlarmChangeRequest(storePath, { AlarmChange::Kind::Enable, {}, 0, {} })), QByteArray("done\t0\n"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->checkState(0), Qt::Checked);
        QVERIFY(request(AlarmChangeRequest(storePath, { AlarmChange::Kind::Disable, {}, 2, {} })).startsWith("failed\tThere is no alarm 2"));
        QVERIFY(fileMatchesMemory());
    }

    // A one-time alarm that deletes itself rings in the real alarm window;
    // meanwhile the user deletes the first row, another alarm, in the
    // options window; a click dismisses the ringing one. Both are gone, and
    // nothing else.
    void aDeleteInTheOptionsWhileAnAlarmRingsReachesOnlyTheRowDeleted()
    {
        AlarmRecord first = Named(OnceAlarm(QDate(2004, 3, 10), 9, 0), QStringLiteral("First"));
        AlarmRecord ringing = Named(OnceAlarm(QDate(2004, 3, 10), 8, 1), QStringLiteral("Ringing"));
        ringing.DeleteAfterPlaying = true;
        AlarmRecord kept = Named(DailyAlarm(1, QDate(2004, 1, 1), 10, 0), QStringLiteral("Kept"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ first, ringing, kept }));
        const ConfirmationPresenter previousConfirmation = SetConfirmationPresenter([](const QString&) { return true; });
        CreateWindows();
        OptionsWindow& options = optionsWindow();
        options.show();
        options.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2);
        auto* list = options.findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));

        bool rang = false;
        QTimer::singleShot(0, [&] {
            AlarmWindow* window = ShownAlarmWindow();
            QVERIFY(window);
            rang = true;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
            QTest::mouseClick(options.findChild<QToolButton*>(QStringLiteral("tbDeleteAlarm")), Qt::LeftButton);
            QTest::mouseClick(window->findChild<QLabel*>(QStringLiteral("StaticText1")), Qt::LeftButton);
        });
        program->clockWindow().tick(); // the first tick is a full refresh
        now = Moment(2004, 3, 10, 8, 1, 4);
        program->clockWindow().tick();
        SetConfirmationPresenter(previousConfirmation);

        QVERIFY(rang);
        QCOMPARE(folder->read(QStringLiteral("Alarm/Alarms.cfg")), StoreBytes({ kept }));
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Kept"));
    }

    // The tool lists the store file; the clock's list has an unsaved delete
    // from the options window. A change by the listed index and handle is
    // refused, naming both alarms, and changes nothing; one whose handle
    // matches goes through.
    void aChangeForAnotherAlarmThanTheToolListedIsRefused()
    {
        AlarmRecord first = Named(DailyAlarm(1, QDate(2004, 1, 1), 7, 0), QStringLiteral("First"));
        AlarmRecord second = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 0), QStringLiteral("Second"));
        AlarmRecord third = Named(DailyAlarm(1, QDate(2004, 1, 1), 9, 0), QStringLiteral("Third"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ first, second, third }));
        CreateWindows();
        const QString storePath = program->alarmStore().fileName();
        program->alarmStore().remove(program->alarmStore().idAt(0)); // deleted in the options, not saved
        const QByteArray before = folder->read(QStringLiteral("Alarm/Alarms.cfg"));

        // "disable 1" as listed from the file: Second, now alarm 0 of the clock.
        const QByteArray answer = program->instanceGuard().OnRequest(
            AlarmChangeRequest(storePath, { AlarmChange::Kind::Disable, {}, 1, AlarmHandle(second) }));
        QVERIFY2(answer.startsWith("failed\tAlarm 1 of the running clock is now \"Third\" (handle " + AlarmHandle(third).toLatin1()
                     + "), not the alarm with handle " + AlarmHandle(second).toLatin1() + ", which is alarm 0 now"),
            answer.constData());
        QCOMPARE(folder->read(QStringLiteral("Alarm/Alarms.cfg")), before);
        QVERIFY(program->alarmStore().records()[0].Enabled && program->alarmStore().records()[1].Enabled);

        QCOMPARE(program->instanceGuard().OnRequest(
                     AlarmChangeRequest(storePath, { AlarmChange::Kind::Disable, {}, 0, AlarmHandle(second) })),
            QByteArray("done\t0\n"));
        QVERIFY(!program->alarmStore().records()[0].Enabled);
    }

    // A snoozed alarm shows its snooze in its row and in the tray menu; the
    // menu's "Cancel snooze" ends it, and the alarm does not ring again.
    void aPendingSnoozeIsShownAndCancelled()
    {
        AlarmRecord wake = Named(DailyAlarm(1, QDate(2004, 1, 1), 8, 1), QStringLiteral("Wake"));
        folder->write(QStringLiteral("Alarm/Alarms.cfg"), StoreBytes({ wake }));
        CreateWindows();
        RecordingPresenter presenter;
        const QStringList& presented = presenter.presentedNames;
        presenter.onPresent = [&presented](const AlarmRecord&) { return presented.size() == 1 ? 10 : 0; };
        program->alarmSchedule().setPresenter(&presenter);
        program->clockWindow().tick();
        now = Moment(2004, 3, 10, 8, 1, 4);
        program->clockWindow().tick();
        QCOMPARE(presented.size(), 1);

        auto* list = optionsWindow().findChild<QTreeWidget*>(QStringLiteral("lvAlarms"));
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("snoozed until 8: 11 am"));
        QList<QAction*> cancel = program->clockWindow().findChildren<QAction*>(QStringLiteral("mCancelSnooze"));
        QCOMPARE(cancel.size(), 1);
        QCOMPARE(cancel[0]->text(), QStringLiteral("Cancel snooze: \"Wake\", snoozed until 8: 11 am"));
        cancel[0]->trigger();
        QCOMPARE(list->topLevelItem(0)->text(3), QStringLiteral("11 Mar 2004"));
        QVERIFY(program->clockWindow().findChildren<QAction*>(QStringLiteral("mCancelSnooze")).isEmpty());
        QVERIFY(ReadSnoozes(SnoozeFilePath(program->alarmStore().fileName())).empty());
        now = Moment(2004, 3, 10, 8, 11, 4);
        program->clockWindow().tick();
        QCOMPARE(presented.size(), 1);
    }

    // With no store yet, a change for a missing store of another folder is
    // not this clock's: the tool changes that store itself.
    void aChangeForAnotherMissingStoreIsNotTaken()
    {
        CreateWindows();
        QVERIFY(!QFile::exists(program->alarmStore().fileName()));
        const QString other = folder->file(QStringLiteral("elsewhere/x.cfg"));
        QCOMPARE(program->instanceGuard().OnRequest(AlarmChangeRequest(other, { AlarmChange::Kind::Add, DailyAlarm(1, QDate(2004, 1, 1), 7, 0), -1, {} })),
            QByteArray("elsewhere\n"));
        QCOMPARE(program->alarmStore().size(), std::size_t(0));
        // Its own store, named another way, is.
        const QString same = folder->file(QStringLiteral("Alarm/../Alarm/Alarms.cfg"));
        QCOMPARE(program->instanceGuard().OnRequest(AlarmChangeRequest(same, { AlarmChange::Kind::Add, DailyAlarm(1, QDate(2004, 1, 1), 7, 0), -1, {} })),
            QByteArray("done\t0\n"));
    }

    // A change the clock keeps but cannot save yet is answered as made,
    // with a warning: a retry would make it twice.
    void aChangeKeptButNotSavedIsAnsweredAsMade()
    {
        CreateWindows();
        const QString storePath = program->alarmStore().fileName();
        QDir().mkpath(storePath); // a folder in the store's place: no save succeeds
        const QByteArray answer = program->instanceGuard().OnRequest(
            AlarmChangeRequest(storePath, { AlarmChange::Kind::Add, DailyAlarm(1, QDate(2004, 1, 1), 7, 0), -1, {} }));
        QVERIFY2(answer.startsWith("done\t0\tThe clock has the change but cannot save it yet: "), answer.constData());
        QVERIFY(answer.endsWith('\n') && answer.count('\n') == 1);
        QCOMPARE(program->alarmStore().size(), std::size_t(1));
    }

private:
    OptionsWindow& optionsWindow() const { return program->optionsWindow(); }

    static AlarmWindow* ShownAlarmWindow()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* alarm = qobject_cast<AlarmWindow*>(window); alarm && alarm->isVisible())
                return alarm;
        return nullptr;
    }

    // As the program starts: everything read, the windows created, the clock
    // shown; its ticks are run by hand.
    void CreateWindows()
    {
        program = std::make_unique<ClockProgram>();
        program->start();
        program->clockWindow().findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    }

    std::unique_ptr<TempFolder> folder;
    std::unique_ptr<ClockProgram> program;
    TDateTime now = 0;
    QStringList messages;
    LocalClockSource previousClock;
    MessagePresenter previousMessages;
};

QTEST_MAIN(ClockAlarmsTest)
#include "ClockAlarmsTest.moc"
