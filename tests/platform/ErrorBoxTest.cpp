#include "platform/dialogs/Application.h"
#include "platform/dialogs/DialogOwner.h"
#include "platform/files/IoError.h"

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

    // The real box opens over the main window, as its transient, so it
    // stays above a main window that stays on top. It is modal to that
    // window alone: another window (the tray icon's) still takes clicks; and
    // with no main window on screen it blocks no window at all.
    void theBoxOpensOverTheMainWindowAndBlocksNoOther()
    {
        QWidget main;
        // Never active, as the tray icon's window.
        QWidget other(nullptr, Qt::Window | Qt::WindowDoesNotAcceptFocus);
        other.setAttribute(Qt::WA_ShowWithoutActivating);
        PressCounter otherPresses;
        other.installEventFilter(&otherPresses);
        SetMainWindow(&main);
        other.show();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        for (const bool mainOnScreen : { true, false }) {
            main.setVisible(mainOnScreen);
            otherPresses.count = 0;
            QWidget* parent = nullptr;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                parent = box->parentWidget();
                QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
                box->accept();
            });
            ShowError(QStringLiteral("Unable to write to x"));
            QCOMPARE(parent, mainOnScreen ? &main : nullptr);
            QCOMPARE(otherPresses.count, 1);
        }
        SetMainWindow(nullptr);
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

private:
    struct PressCounter : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::MouseButtonPress)
                ++count;
            return false;
        }
    };
};

int main(int argc, char** argv)
{
    Application application(argc, argv);
    ErrorBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorBoxTest.moc"
