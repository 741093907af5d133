// Edits of the skin on the clock are never left without the user's word:
// leaving the options window by "Done", "Close Clock" or its close button,
// choosing another skin, and ending the clock ask once whether to save,
// save as, discard or go back, and do what the answer says; Revert puts back
// the file's skin; a clock that ends with no one to ask keeps a draft that
// the next start offers back.
#include "app/ClockWindow.h"
#include "options/UnsavedSkinQuestion.h"
#include "skins/SkinFile.h"
#include "tests/options/OptionsTestSupport.h"
#include "widgets/SpinEdit.h"

#include <QComboBox>
#include <QFile>
#include <QToolButton>
#include <QtTest>

namespace {

Skin WithTics(int width)
{
    Skin skin = DefaultSkin();
    skin.TicsWidth = width;
    return skin;
}

void WriteSkin(const TempFolder& home, const QString& name, Skin skin)
{
    SaveSkinFile(home.file(name), skin, home.path());
}

Skin ReadSkin(const QString& file)
{
    Skin skin;
    if (!ReadSkinFile(file, skin, { false, 0, QFileInfo(file).path() + '/' }))
        qFatal("no skin in %s", qPrintable(file));
    return skin;
}

enum class Leave { Done, CloseClock, CloseButton };

// The options window on "Classic.clk" (tics 3), its tics widened to 4 in
// the designer.
struct EditedClassic : OptionsFixture {
    QByteArray fileBytes;

    EditedClassic()
        : OptionsFixture([](const TempFolder& home) {
            WriteSkin(home, "Classic.clk", WithTics(3));
            WriteSkin(home, "Ocean.clk", WithTics(8));
        })
    {
        fileBytes = home.read("Classic.clk");
        liveSkin->load(home.file("Classic.clk"), std::nullopt);
        activate();
        QTest::keyClick(control<SpinEdit>("seTicsWidth"), Qt::Key_Up);
        if (liveSkin->skin().TicsWidth != 4 || !liveSkin->isModified())
            qFatal("the designer did not edit the skin");
    }

    void leave(Leave how) const
    {
        switch (how) {
        case Leave::Done:
            QTest::mouseClick(control<QWidget>("bbDone"), Qt::LeftButton);
            break;
        case Leave::CloseClock:
            QTest::mouseClick(control<QWidget>("bbClose"), Qt::LeftButton);
            break;
        case Leave::CloseButton:
            window->close();
            break;
        }
    }
};

} // namespace

Q_DECLARE_METATYPE(Leave)
Q_DECLARE_METATYPE(UnsavedSkinAnswer)

class UnsavedSkinTest : public QObject {
    Q_OBJECT

private slots:
    void eachWayOutAsksOnceAndDoesWhatTheAnswerSays_data()
    {
        QTest::addColumn<Leave>("leave");
        QTest::addColumn<UnsavedSkinAnswer>("answer");
        QTest::addColumn<bool>("saveAsChosen");
        QTest::addColumn<bool>("left");
        QTest::addColumn<int>("liveTics");
        QTest::addColumn<int>("classicTics");
        QTest::addColumn<QString>("liveFile");
        const std::pair<const char*, Leave> ways[] = { { "Done", Leave::Done }, { "Close Clock", Leave::CloseClock },
            { "close button", Leave::CloseButton } };
        for (const auto& [name, way] : ways) {
            QTest::addRow("%s, save", name) << way << UnsavedSkinAnswer::Save << true << true << 4 << 4 << "Classic.clk";
            QTest::addRow("%s, save as", name) << way << UnsavedSkinAnswer::SaveAs << true << true << 4 << 3 << "mine.clk";
            QTest::addRow("%s, save as cancelled", name)
                << way << UnsavedSkinAnswer::SaveAs << false << false << 4 << 3 << "Classic.clk";
            QTest::addRow("%s, discard", name) << way << UnsavedSkinAnswer::Discard << true << true << 3 << 3 << "Classic.clk";
            QTest::addRow("%s, go back", name) << way << UnsavedSkinAnswer::GoBack << true << false << 4 << 3 << "Classic.clk";
        }
    }

    void eachWayOutAsksOnceAndDoesWhatTheAnswerSays()
    {
        QFETCH(Leave, leave);
        QFETCH(UnsavedSkinAnswer, answer);
        QFETCH(bool, saveAsChosen);
        QFETCH(bool, left);
        QFETCH(int, liveTics);
        QFETCH(int, classicTics);
        QFETCH(QString, liveFile);
        EditedClassic o;
        o.skinQuestions.answer = answer;
        o.files.save = saveAsChosen ? std::optional(o.home.file("mine.clk")) : std::nullopt;

        o.leave(leave);

        QCOMPARE(o.skinQuestions.asked.size(), 1);
        QCOMPARE(o.skinQuestions.asked[0].skinFile, o.home.file("Classic.clk"));
        QCOMPARE(o.skinQuestions.asked[0].saveTarget, o.home.file("Classic.clk"));
        QCOMPARE(o.window->isVisible(), !left);
        QCOMPARE(o.clock.saved, left && leave == Leave::Done ? 1 : 0);
        QCOMPARE(o.clock.closed, left && leave == Leave::CloseClock ? 1 : 0);
        QCOMPARE(o.liveSkin->skin().TicsWidth, liveTics);
        QCOMPARE(o.liveSkin->fileOrDefault(), o.home.file(liveFile));
        QCOMPARE(ReadSkin(o.home.file("Classic.clk")).TicsWidth, classicTics);
        if (classicTics == 3)
            QCOMPARE(o.home.read("Classic.clk"), o.fileBytes);
        QCOMPARE(QFile::exists(o.home.file("mine.clk")), answer == UnsavedSkinAnswer::SaveAs && saveAsChosen);
        QCOMPARE(o.liveSkin->isModified(), !left);

        // Asked once: once settled, leaving again asks nothing.
        if (left) {
            o.activate();
            o.leave(leave);
            QCOMPARE(o.skinQuestions.asked.size(), 1);
        }
    }

    // Escape closes and the edits stay on the clock, unasked; an unedited
    // skin is left without a question.
    void escapeAndAnUneditedSkinAskNothing()
    {
        EditedClassic o;
        QTest::keyClick(o.control<SpinEdit>("seTicsWidth"), Qt::Key_Escape);
        QVERIFY(!o.window->isVisible());
        QVERIFY(o.skinQuestions.asked.isEmpty());
        QCOMPARE(o.liveSkin->skin().TicsWidth, 4);

        o.activate();
        QTest::keyClick(o.control<SpinEdit>("seTicsWidth"), Qt::Key_Down);
        QVERIFY(!o.liveSkin->isModified());
        o.leave(Leave::Done);
        QVERIFY(o.skinQuestions.asked.isEmpty());
        QVERIFY(!o.window->isVisible());
    }

    // Choosing another skin in the list asks first; going back leaves the
    // list and the clock on the edited skin.
    void anotherSkinIsChosenOnlyOnceTheEditsAreSettled()
    {
        EditedClassic o;
        auto* list = o.control<QComboBox>("cbSettings");
        o.skinQuestions.answer = UnsavedSkinAnswer::GoBack;
        list->setCurrentIndex(list->findText("Ocean"));
        QCOMPARE(o.skinQuestions.asked.size(), 1);
        QCOMPARE(list->currentText(), QString("Classic"));
        QCOMPARE(o.liveSkin->skin().TicsWidth, 4);

        o.skinQuestions.answer = UnsavedSkinAnswer::Discard;
        list->setCurrentIndex(list->findText("Ocean"));
        QCOMPARE(o.skinQuestions.asked.size(), 2);
        QCOMPARE(o.liveSkin->skin().TicsWidth, 8);
        QCOMPARE(o.home.read("Classic.clk"), o.fileBytes);
    }

    // Revert is offered while the skin differs from its file and puts the
    // file's skin back; with "Keep last clock size" the clock keeps its size.
    void revertPutsBackTheFilesSkin()
    {
        EditedClassic o;
        auto* revert = o.control<QToolButton>("sbRevert");
        QVERIFY(revert->isEnabled());
        o.control<SpinEdit>("seSize")->setValue(320);
        QVERIFY(o.settings->settings().keepSize);
        QTest::mouseClick(revert, Qt::LeftButton);
        QCOMPARE(o.liveSkin->skin().TicsWidth, 3);
        QCOMPARE(o.liveSkin->skin().ClockSize, 320);
        QCOMPARE(o.control<SpinEdit>("seTicsWidth")->value(), 3);
        QVERIFY(!revert->isEnabled());
        QVERIFY(o.skinQuestions.asked.isEmpty());

        o.settings->setKeepSize(false);
        QVERIFY(revert->isEnabled()); // the size is now the skin's own
        QTest::mouseClick(revert, Qt::LeftButton);
        QCOMPARE(o.liveSkin->skin().ClockSize, DefaultSkin().ClockSize);

        QTest::keyClick(o.control<SpinEdit>("seTicsWidth"), Qt::Key_Up);
        QVERIFY(revert->isEnabled());
        o.saveSkinAs(o.home.file("mine.clk"));
        QVERIFY(!revert->isEnabled());
    }

    // The real program: Exit from the tray closes the clock, which asks
    // while it is on screen; going back keeps it running. Hidden, it asks
    // nothing and keeps a draft, which the next start offers back.
    void theClockAsksOnScreenAndKeepsADraftWhenHidden()
    {
        TempFolder home;
        home.becomeProgramFolder();
        const ShownMessages shown; // "no tray here"
        WriteSkin(home, "Classic.clk", WithTics(3));
        home.write("vellamor.ini", "[Default]\nSkin=Classic.clk\n");
        const QByteArray classic = home.read("Classic.clk");
        {
            ClockWithOptions running;
            QTest::keyClick(Find<SpinEdit>(running.options, "seTicsWidth"), Qt::Key_Up);
            running.skinQuestions.answer = UnsavedSkinAnswer::GoBack;
            QVERIFY(!running.clock.close());
            QCOMPARE(running.skinQuestions.asked.size(), 1);
            QVERIFY(running.clock.isVisible());
            QVERIFY(!QFile::exists(home.file("vellamor.ini.tmp")));

            running.clock.hideToTray();
            QVERIFY(running.clock.close());
            QCOMPARE(running.skinQuestions.asked.size(), 1);
            QCOMPARE(ReadSkin(home.file("Drafts/Classic.clk")).TicsWidth, 4);
            QCOMPARE(home.read("Classic.clk"), classic);
        }
        QStringList offers;
        const ConfirmationPresenter previous = SetConfirmationPresenter([&offers](const QString& question) {
            offers << question;
            return true;
        });
        {
            ClockWithOptions running;
            QCOMPARE(offers.size(), 1);
            QVERIFY2(offers[0].contains(home.file("Classic.clk")), qPrintable(offers[0]));
            QCOMPARE(running.program.liveSkin().skin().TicsWidth, 4);
            QVERIFY(running.program.liveSkin().isModified());
            QVERIFY(!QFile::exists(home.file("Drafts/Classic.clk")));

            // The session ends the clock: no question, a draft again.
            running.clock.terminate();
            QVERIFY(running.skinQuestions.asked.isEmpty());
            QVERIFY(QFile::exists(home.file("Drafts/Classic.clk")));
        }
        SetConfirmationPresenter([](const QString&) { return false; });
        {
            ClockWithOptions running;
            QCOMPARE(running.program.liveSkin().skin().TicsWidth, 3);
            QVERIFY(!QFile::exists(home.file("Drafts/Classic.clk")));
        }
        SetConfirmationPresenter(previous);
    }
};

QTEST_MAIN(UnsavedSkinTest)
#include "UnsavedSkinTest.moc"
