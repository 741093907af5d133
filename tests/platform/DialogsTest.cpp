#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "tests/support/PictureFile.h"
#include "tests/support/TempFolder.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Answers the next modal dialog of type Dialog, once it is up, as a user
// would; an owner ends the wait when it goes.
template <typename Dialog>
void AnswerNextDialog(std::function<void(Dialog&)> answer, QObject* owner = nullptr)
{
    auto* poll = new QTimer(owner);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(*dialog);
    });
    poll->start();
}

// Types a file name and presses OK, as the user does: the file dialog's own
// (protected) accept checks the name and asks before overwriting. A dialog
// that stays open after that is cancelled.
void ChooseFile(QFileDialog& dialog, const QString& name)
{
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog&>(dialog).accept();
    if (dialog.isVisible())
        dialog.reject();
}

} // namespace

// The colour and file choosers: replaceable for tests, and the real dialogs
// by default.
class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void replacedChoosersAnswerUntilTheDialogsAreRestored()
    {
        QList<TColor> coloursAsked;
        OpenFileRequest openAsked;
        SaveFileRequest saveAsked;
        const ColorChooser previousColour = SetColorChooser([&](TColor initial) {
            coloursAsked << initial;
            return std::optional<TColor>(kLime);
        });
        const OpenFileChooser previousOpen = SetOpenFileChooser([&](const OpenFileRequest& request) {
            openAsked = request;
            return std::optional<QString>();
        });
        const SaveFileChooser previousSave = SetSaveFileChooser([&](const SaveFileRequest& request) {
            saveAsked = request;
            return std::optional<QString>(QStringLiteral("/skins/mine.clk"));
        });

        QVERIFY(ChooseColor(kOlive) == kLime);
        QCOMPARE(coloursAsked, QList<TColor> { kOlive });
        QVERIFY(!ChooseFileToOpen({ QStringLiteral("Texture"), QStringLiteral("/textures/"), QStringLiteral("Bitmaps (*.bmp)") }));
        QCOMPARE(openAsked.folder, QStringLiteral("/textures/"));
        QCOMPARE(openAsked.filter, QStringLiteral("Bitmaps (*.bmp)"));
        QCOMPARE(ChooseFileToSave({ QStringLiteral("Save skin as"), QStringLiteral("/skins/default.clk"),
                                      QStringLiteral("Clock Setting (*.clk)"), QStringLiteral("clk"), false })
                     .value_or(QString()),
            QStringLiteral("/skins/mine.clk"));
        QCOMPARE(saveAsked.title, QStringLiteral("Save skin as"));
        QCOMPARE(saveAsked.defaultSuffix, QStringLiteral("clk"));
        QVERIFY(!saveAsked.askBeforeOverwrite);

        SetColorChooser(previousColour);
        SetOpenFileChooser(previousOpen);
        SetSaveFileChooser(previousSave);
        // Restored, the real dialog is up again.
        bool dialogShown = false;
        AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
            dialogShown = true;
            dialog.reject();
        });
        QVERIFY(!ChooseColor(kOlive));
        QVERIFY(dialogShown);
        QCOMPARE(coloursAsked.size(), 1);
    }

    void theColourDialogStartsAtTheGivenColour()
    {
        TColor shownFirst = kBlack;
        AnswerNextDialog<QColorDialog>([&](QColorDialog& dialog) {
            shownFirst = FromQColor(dialog.currentColor());
            dialog.setCurrentColor(ToQColor(kLime));
            dialog.accept();
        });
        QVERIFY(ChooseColor(kOlive) == kLime);
        QCOMPARE(shownFirst, kOlive);
    }

    void theOpenDialogStartsInTheFolderWithTheFilter()
    {
        TempFolder folder;
        folder.write(QStringLiteral("stone.bmp"), "BM");
        QString title;
        QString shownFolder;
        QString shownFilter;
        AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
            title = dialog.windowTitle();
            shownFolder = dialog.directory().absolutePath() + u'/';
            shownFilter = dialog.selectedNameFilter();
            ChooseFile(dialog, folder.file(QStringLiteral("stone.bmp")));
        });
        const std::optional<QString> chosen
            = ChooseFileToOpen({ QStringLiteral("Open a texture"), folder.path(), QStringLiteral("Bitmaps (*.bmp)") });
        QCOMPARE(chosen.value_or(QString()), folder.file(QStringLiteral("stone.bmp")));
        QCOMPARE(title, QStringLiteral("Open a texture"));
        QCOMPARE(shownFolder, folder.path());
        QCOMPARE(shownFilter, QStringLiteral("Bitmaps (*.bmp)"));
    }

    void anOpenDialogTakesAMissingFileOnlyWhenTold()
    {
        TempFolder folder;
        for (const bool acceptMissing : { false, true }) {
            int warnings = 0;
            AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
                // A name that names no file is refused with a warning.
                AnswerNextDialog<QMessageBox>(
                    [&](QMessageBox& warning) {
                        ++warnings;
                        warning.accept();
                    },
                    &dialog);
                ChooseFile(dialog, QStringLiteral("Buy milk"));
            });
            const std::optional<QString> chosen = ChooseFileToOpen({ .title = QStringLiteral("Picture"),
                .folder = folder.path(),
                .filter = QString(),
                .acceptMissingFile = acceptMissing });
            QCOMPARE(chosen, acceptMissing ? std::optional(folder.file(QStringLiteral("Buy milk"))) : std::nullopt);
            QCOMPARE(warnings, acceptMissing ? 0 : 1);
        }
    }

    void thePicturePreviewShowsThePictureUnderTheCursor()
    {
        TempFolder folder;
        QImage wide(400, 100, QImage::Format_RGB888);
        wide.fill(Qt::red);
        folder.write(QStringLiteral("wide.bmp"), BmpBytes(wide));
        folder.write(QStringLiteral("notes.txt"), "not a picture");
        QSize previewed;
        bool clearedForText = false;
        AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
            auto* preview = dialog.findChild<QLabel*>(QStringLiteral("picturePreview"));
            if (!preview) {
                dialog.reject();
                return;
            }
            emit dialog.currentChanged(folder.file(QStringLiteral("wide.bmp")));
            previewed = preview->pixmap().size();
            emit dialog.currentChanged(folder.file(QStringLiteral("notes.txt")));
            clearedForText = preview->pixmap().isNull();
            dialog.reject();
        });
        QVERIFY(!ChooseFileToOpen({ .title = QStringLiteral("Picture"),
            .folder = folder.path(),
            .filter = QString(),
            .acceptMissingFile = false,
            .picturePreview = true }));
        // Shrunk to fit the square, keeping its shape.
        QVERIFY2(previewed.width() > 100 && previewed.width() <= 160, qPrintable(QString::number(previewed.width())));
        QVERIFY(qAbs(previewed.height() * 4 - previewed.width()) < 4);
        QVERIFY(clearedForText);
    }

    void theSaveDialogProposesTheFileAndAddsTheExtension()
    {
        TempFolder folder;
        QString proposed;
        AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
            proposed = dialog.selectedFiles().value(0);
            ChooseFile(dialog, QStringLiteral("mine"));
        });
        const SaveFileRequest request { QStringLiteral("Save skin as"), folder.file(QStringLiteral("default.clk")),
            QStringLiteral("Clock Setting (*.clk)"), QStringLiteral("clk"), false };
        QCOMPARE(ChooseFileToSave(request).value_or(QString()), folder.file(QStringLiteral("mine.clk")));
        QCOMPARE(proposed, folder.file(QStringLiteral("default.clk")));
    }

    void overwritingAsksOnlyWhenTold()
    {
        TempFolder folder;
        folder.write(QStringLiteral("mine.clk"), "old");
        for (const bool ask : { false, true }) {
            int questions = 0;
            AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
                AnswerNextDialog<QMessageBox>(
                    [&](QMessageBox& question) {
                        ++questions;
                        question.button(QMessageBox::No)->click();
                    },
                    &dialog);
                // Declining the question leaves the dialog open.
                ChooseFile(dialog, QStringLiteral("mine.clk"));
            });
            const std::optional<QString> chosen = ChooseFileToSave({ QStringLiteral("Save skin as"), folder.path(),
                QStringLiteral("Clock Setting (*.clk)"), QStringLiteral("clk"), ask });
            QCOMPARE(questions, ask ? 1 : 0);
            QCOMPARE(chosen.has_value(), !ask);
        }
    }
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogsTest.moc"
