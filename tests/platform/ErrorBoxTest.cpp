#include "platform/Application.h"
#include "platform/IoError.h"

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
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    ErrorBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorBoxTest.moc"
