#include "platform/Application.h"
#include "platform/IoError.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// An exception escaping an event handler is shown and the program goes on.
class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void exceptionFromAHandlerIsShownAndTheLoopRunsOn()
    {
        QStringList shown;
        const ErrorPresenter previous = SetErrorPresenter([&](const QString& message) { shown << message; });

        QTimer::singleShot(0, [] { throw IoError(QStringLiteral("Read beyond end of file")); });
        bool laterHandlerRan = false;
        QTimer::singleShot(10, [&] { laterHandlerRan = true; });
        QTRY_VERIFY(laterHandlerRan);
        QCOMPARE(shown, QStringList { QStringLiteral("Read beyond end of file") });

        SetErrorPresenter(previous);
    }

    // The real box: only Yes says yes; Escape, like closing it, says no.
    void aConfirmationSaysYesOnlyForYes()
    {
        for (const bool yes : { true, false }) {
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&poll, yes] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box || !box->isVisible())
                    return;
                poll.stop();
                if (yes)
                    box->button(QMessageBox::Yes)->click();
                else
                    QTest::keyClick(box, Qt::Key_Escape);
            });
            poll.start(10);
            QCOMPARE(Confirm(QStringLiteral("Delete \"Wake\" alarm ?")), yes);
        }
    }
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    ErrorBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorBoxTest.moc"
