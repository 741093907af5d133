#include "alarms/ui/AlarmEditor.h"
#include "widgets/ElidedButton.h"
#include "alarms/AlarmPresenter.h"
#include "alarms/ui/AlarmWindow.h"
#include "tests/alarms/ui/PresentationDriver.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/text/LocalClock.h"
#include "tests/alarms/AlarmFixtures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToneFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolTip>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <optional>

// The alarm editor frame driven through its widgets, offscreen, on a store
// in a temporary program folder, at an injected local time (Wednesday 10
// March 2004, 8:00).
class AlarmEditorTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<TempFolder>();
        folder->becomeProgramFolder();
        QDir().mkpath(folder->file(QStringLiteral("Alarm")));
        now = Moment(2004, 3, 10, 8, 0);
        previousClock = SetLocalClockSource([this] { return LocalFromDateTime(now); });
        messages.clear();
        questions.clear();
        previousMessages = SetMessagePresenter([this](const QString& message) { messages.append(message); });
        previousConfirmation = SetConfirmationPresenter([this](const QString& question) {
            questions.append(question);
            return answerYes;
        });
        requests.clear();
        choice.reset();
        previousChooser = SetOpenFileChooser([this](const OpenFileRequest& request) {
            requests.append(request);
            return choice;
        });
        store = std::make_unique<AlarmStore>(folder->file(QStringLiteral("Alarm/Alarms.cfg")));
        frame = std::make_unique<AlarmEditor>(*store);
        frame->resize(410, 520);
        frame->show();
        frame->resetPickers();
    }

    void cleanup()
    {
        frame.reset();
        store.reset();
        SetLocalClockSource(previousClock);
        SetMessagePresenter(previousMessages);
        SetConfirmationPresenter(previousConfirmation);
        SetOpenFileChooser(previousChooser);
        folder.reset();
    }

    void createStartsFromACopyOfTheSelectedAlarm()
    {
        AlarmRecord wake = DailyAlarm(3, QDate(2004, 3, 1), 7, 5);
        wake.Name.setText(QStringLiteral("Wake"));
        wake.VisualFile.setText(QStringLiteral("/pics/sun.jpg"));
        wake.SoundFile.setText(QStringLiteral("/sounds/bell.wav"));
        Load({ wake });
        ClickRow(0);
        QCOMPARE(Control<QTabWidget>("pcAlarmMode")->currentIndex(), int(AlarmRecord::Daily));

        Click("tbNewAlarm");
        QVERIFY(frame->isEditing());
        QCOMPARE(store->size(), std::size_t(2));
        // The new row stays blank until the edit ends.
        QCOMPARE(RowTexts(1), QStringList({ QString(), QString(), QString(), QString() }));
        QCOMPARE(List()->topLevelItem(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(Control<QLineEdit>("eName")->text(), QStringLiteral("New Alarm"));
        QCOMPARE(Control<QTabWidget>("pcAlarmMode")->currentIndex(), int(AlarmRecord::Daily));
        QCOMPARE(Control<QSpinBox>("seEveryNdays")->value(), 3);
        QCOMPARE(Control<ElidedButton>("bbVisualFile")->caption(), QString());

        Click("tbEditSelected");
        const AlarmRecord& created = store->records()[1];
        QCOMPARE(created.Mode, int(AlarmRecord::Daily));
        QCOMPARE(created.EveryNdays, 3);
        QCOMPARE(created.DailyStart, Day(2004, 3, 1));
        QCOMPARE(created.Name.text(), QStringLiteral("New Alarm"));
        QCOMPARE(created.VisualFile.length() + created.SoundFile.length(), std::size_t(0));
        QCOMPARE(RowTexts(1), QStringList({ "New Alarm", "Daily", "7: 05", "13 Mar 2004" }));
        QCOMPARE(List()->topLevelItem(1)->checkState(0), Qt::Checked);
    }

    void endingAnEditKeepsTheModeAndClearsLastRung()
    {
        AlarmRecord gym = DailyAlarm(2, QDate(2004, 3, 10), 9, 30);
        gym.Name.setText(QStringLiteral("Gym"));
        gym.LastRung = Day(2004, 3, 10);
        Load({ gym });
        QCOMPARE(RowTexts(0), QStringList({ "Gym", "Daily", "9: 30", "12 Mar 2004" }));

        ClickRow(0);
        Click("tbEditSelected");
        QCOMPARE(Control<QToolButton>("tbEditSelected")->text(), QStringLiteral(" End Editing"));
        QVERIFY(Control<QTabWidget>("pcAlarmMode")->isEnabled());
        QVERIFY(!List()->isEnabled() && !Control<QToolButton>("tbNewAlarm")->isEnabled());
        Click("tbEditSelected");
        QCOMPARE(Control<QToolButton>("tbEditSelected")->text(), QStringLiteral(" Edit Selected"));
        QVERIFY(!Control<QTabWidget>("pcAlarmMode")->isEnabled() && !Control<QGroupBox>("gbAlarmFiles")->isEnabled());

        const AlarmRecord& edited = store->records()[0];
        QCOMPARE(edited.Mode, int(AlarmRecord::Daily));
        QCOMPARE(edited.EveryNdays, 2);
        QCOMPARE(edited.DailyStart, Day(2004, 3, 10));
        QCOMPARE(TimeOf(edited.AlarmTime), QTime(9, 30));
        QCOMPARE(edited.LastRung, 0.0);
        // It can ring again today.
        QCOMPARE(RowTexts(0), QStringList({ "Gym", "Daily", "9: 30", "10 Mar 2004" }));
    }

    void twentyFourHourDisplayRewritesEveryRowAndKeepsUnsavedBoxes()
    {
        AlarmRecord evening = DailyAlarm(1, QDate(2004, 1, 1), 19, 5);
        evening.Name.setText(QStringLiteral("Evening"));
        Load({ evening, MonthlyDayAlarm(31, 7, 0) });
        frame->setTimeFormat(true);
        QCOMPARE(RowTexts(0)[2], QStringLiteral("7: 05 pm"));
        QCOMPARE(RowTexts(1)[2], QStringLiteral("7: 00 am"));
        QCOMPARE(Control<QTimeEdit>("TimePickerWeekly")->displayFormat(), QStringLiteral("h: mm AP"));

        List()->topLevelItem(0)->setCheckState(0, Qt::Unchecked); // the user's click, not yet saved
        frame->setTimeFormat(false);
        QCOMPARE(RowTexts(0)[2], QStringLiteral("19: 05"));
        QCOMPARE(RowTexts(1), QStringList({ "Test", "Monthly", "7: 00", "31 Mar 2004" }));
        QCOMPARE(List()->topLevelItem(0)->checkState(0), Qt::Unchecked);
        QVERIFY(store->records()[0].Enabled); // until a save takes the choice
        for (const char* picker : { "TimePickerOnce", "TimePickerDaily", "TimePickerWeekly", "TimePickerMonthly" })
            QCOMPARE(Control<QTimeEdit>(picker)->displayFormat(), QStringLiteral("H: mm"));
    }

    void staysOnShowsItsListEntry_data()
    {
        QTest::addColumn<int>("staysOn");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("not in the list") << 7 << "Sound length" << 0;
        QTest::newRow("forever") << 9999 << "Forever" << 9999;
        QTest::newRow("half an hour") << 30 << "30 min" << 30;
    }

    void staysOnShowsItsListEntry()
    {
        QFETCH(int, staysOn);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        AlarmRecord alarm = OnceAlarm(QDate(2004, 3, 11), 7, 0);
        alarm.StaysOn = staysOn;
        Load({ alarm });
        ClickRow(0);
        QCOMPARE(Control<QComboBox>("cbStaysOn")->currentText(), shown);
        Click("tbEditSelected");
        Click("tbEditSelected");
        QCOMPARE(store->records()[0].StaysOn, stored);
    }

    void namesAndPathsInAnyScriptAreStoredAndLongerOnesRefused()
    {
        Load({ OnceAlarm(QDate(2004, 3, 11), 7, 0) });
        ClickRow(0);
        Click("tbEditSelected");
        auto* name = Control<QLineEdit>("eName");
        name->selectAll();
        // Five Cyrillic letters fill the name; the sixth key is refused.
        for (const QChar letter : QStringLiteral("Подъём")) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
            QApplication::sendEvent(name, &key);
        }
        QCOMPARE(name->text(), QStringLiteral("Подъё"));
        QVERIFY2(QToolTip::text().contains("at most 12 Western European characters, or 5 Cyrillic"), qPrintable(QToolTip::text()));

        const QString russianPath = folder->path() + QStringLiteral("Документы/план.txt");
        const QString longPath = folder->path() + QString(200, u'p') + QStringLiteral(".txt");
        Click("rbDoc");
        choice = russianPath;
        Click("bbDocFile");
        choice = longPath;
        Click("bbDocFile");
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(longPath) && messages[0].contains("at most 180 Western European characters"),
            qPrintable(messages[0]));
        Click("tbEditSelected");

        QCOMPARE(store->records()[0].Name.text(), QStringLiteral("Подъё"));
        QCOMPARE(store->records()[0].DocFile.text(), russianPath);
        QCOMPARE(Control<ElidedButton>("bbDocFile")->caption(), russianPath);
        QCOMPARE(RowTexts(0)[0], QStringLiteral("Подъё"));
        store->SaveAlarms();
        AlarmStore reread(store->fileName());
        reread.LoadAlarms();
        QCOMPARE(reread.records()[0].Name.text(), QStringLiteral("Подъё"));
        QCOMPARE(reread.records()[0].DocFile.text(), russianPath);
    }

    void fileChoosersWriteTheEditedAlarmAtOnce_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("picture");
        QTest::newRow("picture") << "bbVisualFile" << "" << true;
        QTest::newRow("sound") << "bbSoundFile" << "WAV or MP3 file (*.wav *.mp3)" << false;
        QTest::newRow("document") << "bbDocFile" << "All files (*)" << false;
    }

    void fileChoosersWriteTheEditedAlarmAtOnce()
    {
        QFETCH(QString, button);
        QFETCH(QString, filter);
        QFETCH(bool, picture);
        const bool document = button == u"bbDocFile";
        Load({ OnceAlarm(QDate(2004, 3, 11), 7, 0), OnceAlarm(QDate(2004, 3, 12), 7, 0) });
        ClickRow(1);
        Click("tbEditSelected");
        if (document)
            Click("rbDoc");
        const QString chosen = folder->file(QStringLiteral("Alarm/wake up.jpg"));
        choice = chosen;
        Click(qPrintable(button));

        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].folder, folder->file(QStringLiteral("Alarm/")));
        if (picture)
            QVERIFY(requests[0].filter.startsWith(QStringLiteral("Pictures (")) && requests[0].filter.contains(u"*.jpg"));
        else
            QCOMPARE(requests[0].filter, filter);
        // Only the picture chooser takes a typed message, and previews.
        QCOMPARE(requests[0].acceptMissingFile, picture);
        QCOMPARE(requests[0].picturePreview, picture);
        const AlarmRecord& edited = store->records()[1];
        const QString stored = picture ? edited.VisualFile.text()
            : document                 ? edited.DocFile.text()
                                       : edited.SoundFile.text();
        QCOMPARE(stored, chosen);
        QCOMPARE(Control<ElidedButton>(qPrintable(button))->caption(), document ? chosen : QStringLiteral("wake up.jpg"));
        QCOMPARE(store->records()[0].VisualFile.length() + store->records()[0].SoundFile.length(), std::size_t(0));

        // A document chooser starts in the chosen document's folder once it exists.
        folder->write(QStringLiteral("Alarm/wake up.jpg"), "x");
        choice.reset();
        Click(qPrintable(button));
        QCOMPARE(requests[1].folder, document ? folder->file(QStringLiteral("Alarm")) : folder->file(QStringLiteral("Alarm/")));
        QCOMPARE(picture ? edited.VisualFile.text() : document ? edited.DocFile.text() : edited.SoundFile.text(), QString());
        QCOMPARE(Control<ElidedButton>(qPrintable(button))->caption(), QString());
    }

    void editingNeverActsWithoutAnAlarm()
    {
        // An empty list: the button springs back.
        Click("tbEditSelected");
        QVERIFY(!frame->isEditing());
        QVERIFY(messages.isEmpty());

        Load({ OnceAlarm(QDate(2004, 3, 11), 7, 0) });
        Click("tbEditSelected");
        QVERIFY(!frame->isEditing());
        QCOMPARE(messages, QStringList { "No alarm selected" });
        QVERIFY(!Control<QGroupBox>("gbAlarmFiles")->isEnabled());

        // Nothing of the Show group acts outside an edit, even when reached.
        const AlarmRecord before = store->records()[0];
        ClickRow(0);
        bool presented = false;
        RecordingPresenter presenter;
        presenter.onPresent = [&](const AlarmRecord&) {
            presented = true;
            return 0;
        };
        frame->setPresenter(&presenter);
        choice = QStringLiteral("/pics/sun.jpg");
        Control<QRadioButton>("rbDoc")->setChecked(true);
        frame->onShowKindChosen();
        frame->choosePicture();
        frame->chooseSound();
        frame->chooseDocument();
        frame->testAlarm();
        QVERIFY(requests.isEmpty());
        QVERIFY(!presented);
        QVERIFY(store->records()[0] == before);
    }

    void anEditFollowsItsAlarmWhileOthersGo()
    {
        AlarmRecord first = OnceAlarm(QDate(2004, 3, 10), 7, 0);
        first.Name.setText(QStringLiteral("First"));
        AlarmRecord second = OnceAlarm(QDate(2004, 3, 11), 7, 0);
        second.Name.setText(QStringLiteral("Second"));
        Load({ first, second });
        ClickRow(1);
        Click("tbEditSelected");
        Control<QLineEdit>("eName")->setText(QStringLiteral("Renamed"));
        // The first alarm rings and deletes itself meanwhile.
        store->remove(store->idAt(0));
        QVERIFY(frame->isEditing());
        QCOMPARE(List()->currentItem(), List()->topLevelItem(0));
        Click("tbEditSelected");
        QCOMPARE(store->size(), std::size_t(1));
        QCOMPARE(store->records()[0].Name.text(), QStringLiteral("Renamed"));

        // The edited alarm itself goes: the edit ends and nothing is stored.
        ClickRow(0);
        Click("tbEditSelected");
        store->remove(store->idAt(0));
        QVERIFY(!frame->isEditing());
        QVERIFY(!Control<QTabWidget>("pcAlarmMode")->isEnabled());
        QVERIFY(List()->isEnabled());
    }

    void aTypedIntervalIsCommittedWhenTheEditEnds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("in range") << "45" << 45;
        QTest::newRow("below") << "0" << 1;
        QTest::newRow("above") << "999" << 99;
        QTest::newRow("nothing") << "" << 1;
    }

    void aTypedIntervalIsCommittedWhenTheEditEnds()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        Load({ DailyAlarm(7, QDate(2004, 3, 1), 7, 0) });
        ClickRow(0);
        Click("tbEditSelected");
        auto* interval = Control<QSpinBox>("seEveryNdays");
        interval->setFocus();
        interval->selectAll();
        QTest::keyClick(interval, Qt::Key_Delete);
        QTest::keyClicks(interval, typed);
        Click("tbEditSelected");
        QCOMPARE(store->records()[0].EveryNdays, stored);
    }

    void deleteAsksAndDeletesOnlyOnYes()
    {
        AlarmRecord wake = DailyAlarm(1, QDate(2004, 1, 1), 7, 0);
        wake.Name.setText(QStringLiteral("Wake"));
        Load({ wake, DailyAlarm(1, QDate(2004, 1, 1), 8, 0) });
        Click("tbDeleteAlarm");
        QCOMPARE(messages, QStringList { "No alarm selected" });
        QVERIFY(questions.isEmpty());

        ClickRow(0);
        answerYes = false;
        Click("tbDeleteAlarm");
        QCOMPARE(questions, QStringList { "Delete \"Wake\" alarm ?" });
        QCOMPARE(store->size(), std::size_t(2));
        answerYes = true;
        Click("tbDeleteAlarm");
        QCOMPARE(store->size(), std::size_t(1));
        QCOMPARE(List()->topLevelItemCount(), 1);
        QCOMPARE(RowTexts(0)[2], QStringLiteral("8: 00"));
        QVERIFY(List()->selectedItems().isEmpty());
    }

    // "Test It" presents what the editor shows, its unsaved fields
    // included, through the real alarm window; the stored alarm stays.
    void testItShowsTheAlarmAsEditedThroughThePresentationWindow()
    {
        AlarmWindow presentation;
        frame->setPresenter(&presentation);
        AlarmRecord alarm = OnceAlarm(QDate(2004, 3, 11), 7, 0);
        alarm.Name.setText(QStringLiteral("Milk"));
        alarm.Sound = true;
        alarm.SoundFile.setText(WriteTone(*folder, QStringLiteral("Alarm/bell.wav"), 3));
        Load({ alarm });
        ClickRow(0);
        Click("tbEditSelected");
        // A typed message: a picture name whose file does not exist.
        choice = folder->file(QStringLiteral("Alarm/Buy bread"));
        Click("bbVisualFile");
        Control<QLineEdit>("eName")->setText(QStringLiteral("Not yet"));
        Control<QCheckBox>("chkSound")->setChecked(false); // unsaved: no sound

        QString shown;
        bool soundWhileShown = true;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (!presentation.isVisible())
                return;
            shown = PartOf<QLabel>(presentation, "StaticText1")->text();
            soundWhileShown = presentation.isSoundPlaying();
            presentation.close();
        });
        poll.start(5);
        Click("btnAlarmTest");
        QCOMPARE(shown, QStringLiteral(" Buy bread "));
        QVERIFY(!soundWhileShown);
        QVERIFY(!presentation.isPresenting() && !presentation.isSoundPlaying());

        // Without a picture the name being typed shows.
        choice.reset();
        Click("bbVisualFile");
        Click("btnAlarmTest");
        QCOMPARE(shown, QStringLiteral(" Rinnnng... (Not yet) "));
        QVERIFY(frame->isEditing());
        QCOMPARE(store->records()[0].Name.text(), QStringLiteral("Milk"));
        QVERIFY(store->records()[0].Sound);
    }

    void createWithoutASelectionStartsOnceTomorrow()
    {
        now = Moment(2004, 3, 10, 8, 17, 42);
        Click("tbNewAlarm");
        QVERIFY(frame->isEditing());
        QCOMPARE(Control<QTabWidget>("pcAlarmMode")->currentIndex(), int(AlarmRecord::Once));
        QVERIFY(Control<QRadioButton>("rbOnceTomorrow")->isChecked());
        QCOMPARE(Control<QTimeEdit>("TimePickerOnce")->time(), QTime(8, 17));
        QCOMPARE(frame->focusWidget(), Control<QTimeEdit>("TimePickerOnce"));
        Click("tbEditSelected");
        QCOMPARE(RowTexts(0), QStringList({ "New Alarm", "Once", "8: 17", "11 Mar 2004" }));
    }

    void todayAndTomorrowFollowTheDateAndAnEditKeepsItsTime()
    {
        const QLocale locale;
        QCOMPARE(Control<QRadioButton>("rbOnceToday")->text(), "Today " + locale.toString(QDate(2004, 3, 10), QLocale::ShortFormat));
        QCOMPARE(Control<QRadioButton>("rbOnceTomorrow")->text(),
            "Tomorrow " + locale.toString(QDate(2004, 3, 11), QLocale::ShortFormat));
        QCOMPARE(Control<QTimeEdit>("TimePickerDaily")->time(), QTime(8, 0));

        now = Moment(2004, 3, 11, 0, 5);
        frame->resetPickers();
        QCOMPARE(Control<QRadioButton>("rbOnceToday")->text(), "Today " + locale.toString(QDate(2004, 3, 11), QLocale::ShortFormat));
        QCOMPARE(Control<QDateEdit>("DatePickerWeekly")->date(), QDate(2004, 3, 11));

        // The options window activates again after every chooser an edit opens.
        Load({ OnceAlarm(QDate(2004, 3, 12), 7, 0) });
        ClickRow(0);
        Click("tbEditSelected");
        Control<QTimeEdit>("TimePickerOnce")->setTime(QTime(6, 45));
        frame->resetPickers();
        Click("tbEditSelected");
        QCOMPARE(TimeOf(store->records()[0].AlarmTime), QTime(6, 45));

        // Outside an edit a later activation leaves the selected alarm's
        // time beside its row, not the time of the activation.
        now = Moment(2004, 3, 11, 2, 8);
        frame->resetPickers();
        QCOMPARE(Control<QTimeEdit>("TimePickerOnce")->time(), QTime(6, 45));
        QCOMPARE(RowTexts(0)[2], QStringLiteral("6: 45"));
    }

    void theShowGroupFollowsItsChoices()
    {
        AlarmRecord monthly = MonthlyNthAlarm(2, 3, 7, 0);
        Load({ monthly });
        ClickRow(0);
        Click("tbEditSelected");
        QVERIFY(!Control<QSpinBox>("seMonthlyDay")->isEnabled());
        QVERIFY(Control<QComboBox>("cbMonthlyTheN")->isEnabled());
        QCOMPARE(Control<QComboBox>("cbMonthlyTheDay")->currentText(), QStringLiteral("Wednesday"));
        Click("rbMonthlyDay");
        QVERIFY(Control<QSpinBox>("seMonthlyDay")->isEnabled() && !Control<QComboBox>("cbMonthlyTheN")->isEnabled());

        Click("chkSound");
        QVERIFY(!Control<ElidedButton>("bbSoundFile")->isEnabled() && !Control<QComboBox>("cbStaysOn")->isEnabled());
        QVERIFY(store->records()[0].Sound); // only when the edit ends

        Click("rbDoc");
        QVERIFY(!store->records()[0].AudioPic); // at once
        QVERIFY(Control<ElidedButton>("bbDocFile")->isVisible());
        for (const char* hidden : { "bbVisualFile", "chkSound", "bbSoundFile", "lbStaysOn", "cbStaysOn" })
            QVERIFY2(!Control<QWidget>(hidden)->isVisible(), hidden);
        Click("rbAudioPic");
        QVERIFY(store->records()[0].AudioPic);
        QVERIFY(!Control<ElidedButton>("bbDocFile")->isVisible() && Control<ElidedButton>("bbVisualFile")->isVisible());
        Click("tbEditSelected");
        QVERIFY(!store->records()[0].Sound);
        QVERIFY(!store->records()[0].MonthlyThe);
    }

    void checkBoxesReachTheStoreAtTheSave()
    {
        Load({ OnceAlarm(QDate(2004, 3, 11), 7, 0), OnceAlarm(QDate(2004, 3, 12), 7, 0) });
        List()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        ClickRow(1);
        Click("tbNewAlarm");
        // Saved while the new alarm's row is still blank (an alarm rang).
        store->SaveAlarms();
        AlarmStore saved(store->fileName());
        saved.LoadAlarms();
        QCOMPARE(saved.size(), std::size_t(3));
        QVERIFY(!saved.records()[0].Enabled);
        QVERIFY(saved.records()[1].Enabled);
        QVERIFY(saved.records()[2].Enabled);
    }

    void selectFirstIfNoneShowsTheFirstAlarm()
    {
        frame->selectFirstIfNone();
        QVERIFY(List()->selectedItems().isEmpty());
        Load({ MonthlyDayAlarm(15, 7, 0), DailyAlarm(1, QDate(2004, 1, 1), 7, 0) });
        frame->selectFirstIfNone();
        QCOMPARE(List()->selectedItems().value(0), List()->topLevelItem(0));
        QCOMPARE(Control<QTabWidget>("pcAlarmMode")->currentIndex(), int(AlarmRecord::Monthly));
        QCOMPARE(Control<QSpinBox>("seMonthlyDay")->value(), 15);
        ClickRow(1);
        frame->selectFirstIfNone();
        QCOMPARE(List()->selectedItems().value(0), List()->topLevelItem(1));
    }

    // A change from outside (the command line, a ring) reaches the selected
    // alarm's panel as well as its row.
    void aChangedSelectedAlarmIsShownAsItNowIs()
    {
        Load({ DailyAlarm(1, QDate(2004, 1, 1), 7, 0), DailyAlarm(1, QDate(2004, 1, 1), 9, 0) });
        ClickRow(0);
        AlarmRecord changed = DailyAlarm(3, QDate(2004, 1, 1), 7, 45);
        store->update(store->idAt(0), changed);
        QCOMPARE(Control<QTimeEdit>("TimePickerDaily")->time(), QTime(7, 45));
        QCOMPARE(Control<QSpinBox>("seEveryNdays")->value(), 3);
        QCOMPARE(RowTexts(0)[2], QStringLiteral("7: 45"));
        store->update(store->idAt(1), DailyAlarm(1, QDate(2004, 1, 1), 10, 0)); // another row: the panel stays
        QCOMPARE(Control<QTimeEdit>("TimePickerDaily")->time(), QTime(7, 45));
    }

private:
    template <typename Widget>
    Widget* Control(const char* name) const
    {
        return &RequiredChild<Widget>(*frame, name);
    }

    QTreeWidget* List() const { return Control<QTreeWidget>("lvAlarms"); }

    void Load(const std::vector<AlarmRecord>& alarms)
    {
        store->replaceAll(alarms);
    }

    void Click(const char* name)
    {
        auto* button = Control<QAbstractButton>(name);
        // Radio buttons and check boxes take clicks on their mark and caption
        // only.
        const bool marked = qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, marked ? QPoint(6, button->height() / 2) : button->rect().center());
    }

    void ClickRow(int row)
    {
        const QRect rect = List()->visualItemRect(List()->topLevelItem(row));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QStringList RowTexts(int row) const
    {
        QStringList texts;
        const QTreeWidgetItem* item = List()->topLevelItem(row);
        for (int column = 0; column < List()->columnCount(); ++column)
            texts.append(item->text(column));
        return texts;
    }

    std::unique_ptr<TempFolder> folder;
    std::unique_ptr<AlarmStore> store;
    std::unique_ptr<AlarmEditor> frame;
    TDateTime now = 0;
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
    QList<OpenFileRequest> requests;
    std::optional<QString> choice;
    LocalClockSource previousClock;
    MessagePresenter previousMessages;
    ConfirmationPresenter previousConfirmation;
    OpenFileChooser previousChooser;
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    AlarmEditorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AlarmEditorTest.moc"
