// The real opener runs the desktop's helper (xdg-open, as PATH finds it)
// with the file's absolute path: a helper that cannot be run or that finds
// no application is reported with the reason, one that opens the file is
// not, and nothing the helper writes reaches the program's console.
#include "platform/dialogs/LocalFileOpener.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QtTest>

#include <optional>
#include <unistd.h>

namespace {

// Standard error goes to a file while it lives.
class CapturedStandardError {
public:
    explicit CapturedStandardError(const QString& file)
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        m_file.setFileName(file);
        if (!m_file.open(QIODevice::WriteOnly) || dup2(m_file.handle(), STDERR_FILENO) < 0)
            qFatal("cannot capture the error output");
    }
    ~CapturedStandardError()
    {
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
    }

private:
    QFile m_file;
    int m_saved = -1;
};

} // namespace

class LocalFileOpenerTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_previousPath = qgetenv("PATH");
        qputenv("PATH", m_helpers.path().toUtf8());
    }
    void cleanup() { qputenv("PATH", m_previousPath); }

    void whatTheHelperSaysIsReportedAndKeptOffTheConsole_data()
    {
        QTest::addColumn<QString>("helper"); // the script's body, or none
        QTest::addColumn<QString>("reason");
        QTest::newRow("no helper") << QString() << "xdg-open, which opens files with their application, cannot be run (install xdg-utils)";
        QTest::newRow("no application") << "exit 3" << "no application for it was found";
        QTest::newRow("application failed") << "exit 4" << "the application for it could not open it";
        QTest::newRow("opened") << "exit 0" << QString();
    }

    void whatTheHelperSaysIsReportedAndKeptOffTheConsole()
    {
        QFETCH(QString, helper);
        QFETCH(QString, reason);
        QFile::remove(m_helpers.file("xdg-open"));
        if (!helper.isNull()) {
            m_helpers.write("xdg-open", QStringLiteral("#!/bin/sh\necho \"$1\" >\"%1\"\necho noise; echo noise >&2\n%2\n")
                                            .arg(m_helpers.file("opened"), helper)
                                            .toUtf8());
            QFile(m_helpers.file("xdg-open")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        QFile::remove(m_helpers.file("opened"));
        const QString document = m_helpers.file("report.txt");
        m_helpers.write("report.txt", "Plan\n");

        std::optional<QString> failure;
        {
            const CapturedStandardError captured(m_helpers.file("console"));
            OpenLocalFile(document, [&failure](const QString& why) { failure = why; });
            if (reason.isEmpty())
                QTRY_VERIFY(QFile::exists(m_helpers.file("opened")));
            else
                QTRY_VERIFY(failure.has_value());
            QTest::qWait(200); // a late report would come now
        }
        QCOMPARE(failure.value_or(QString()), reason);
        QVERIFY2(!m_helpers.read("console").contains("noise"), m_helpers.read("console").constData());
        if (!helper.isNull())
            QCOMPARE(m_helpers.read("opened").trimmed(), document.toUtf8());
    }

private:
    TempFolder m_helpers;
    QByteArray m_previousPath;
};

QTEST_MAIN(LocalFileOpenerTest)
#include "LocalFileOpenerTest.moc"
