// The single instance guard between real processes: this test starts copies
// of itself ("--instance") as the competing starts, all sharing one private
// runtime folder.
#include "desktop/OnlyOne.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr char kTitle[] = "Vellamor";
constexpr char kInstanceSwitch[] = "--instance";
// A competing instance that waits this long for requests has hung.
constexpr int kInstanceLifetimeMs = 20000;
constexpr int kProcessMs = 15000;

// One start of the program, as far as the guard goes: prints "first" and
// then "request" for every later start that asks it to come to the front, or
// prints "second" and ends.
int RunInstance(int argc, char** argv, int expectedRequests)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(kTitle));
    TOnlyOne guard;
    if (!guard.CheckInstance()) {
        std::puts("second");
        return 0;
    }
    std::puts("first");
    std::fflush(stdout);
    int requests = 0;
    guard.OnBringToFront = [&] {
        std::puts("request");
        std::fflush(stdout);
        if (++requests == expectedRequests)
            QCoreApplication::quit();
    };
    QTimer::singleShot(kInstanceLifetimeMs, [] { QCoreApplication::exit(2); });
    return QCoreApplication::exec();
}

std::unique_ptr<QProcess> StartInstance(int expectedRequests)
{
    auto process = std::make_unique<QProcess>();
    process->start(QCoreApplication::applicationFilePath(),
        { QLatin1String(kInstanceSwitch), QString::number(expectedRequests) });
    return process;
}

QString RuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/';
}

} // namespace

class OnlyOneTest : public QObject {
    Q_OBJECT

private slots:
    void instanceNameTakesTwentyCharactersOfTheTitle();
    void laterStartsEndAndBringTheFirstToTheFront();
    void startAfterTheFirstEndedRuns();
    void startAfterTheFirstWasKilledRuns();
    void simultaneousStartsLeaveOneRunning();
    void foreignRequestsAreIgnored();
    void unenforcedGuardAlwaysRuns();
};

void OnlyOneTest::instanceNameTakesTwentyCharactersOfTheTitle()
{
    QCOMPARE(TOnlyOne::InstanceAtomName(QStringLiteral("Vellamor")), QStringLiteral("OnlyOneVellamor"));
    QCOMPARE(TOnlyOne::InstanceAtomName(QStringLiteral("A title longer than twenty")),
        QStringLiteral("OnlyOneA title longer than "));
    QCOMPARE(TOnlyOne::InstanceAtomName(QStringLiteral("A title longer than twenty")),
        TOnlyOne::InstanceAtomName(QStringLiteral("A title longer than 20 characters")));
}

void OnlyOneTest::laterStartsEndAndBringTheFirstToTheFront()
{
    TOnlyOne first;
    int requests = 0;
    first.OnBringToFront = [&] { ++requests; };
    QVERIFY(first.CheckInstance());

    TOnlyOne second;
    QVERIFY(!second.CheckInstance());
    QTRY_COMPARE(requests, 1);

    // A third start in another process, after the second has ended.
    auto third = StartInstance(1);
    QVERIFY(third->waitForFinished(kProcessMs));
    QCOMPARE(third->readAllStandardOutput(), QByteArray("second\n"));
    QCOMPARE(third->exitCode(), 0);
    QTRY_COMPARE(requests, 2);
}

void OnlyOneTest::startAfterTheFirstEndedRuns()
{
    auto first = std::make_unique<TOnlyOne>();
    QVERIFY(first->CheckInstance());
    first.reset();

    TOnlyOne next;
    int requests = 0;
    next.OnBringToFront = [&] { ++requests; };
    QVERIFY(next.CheckInstance());
    TOnlyOne later;
    QVERIFY(!later.CheckInstance());
    QTRY_COMPARE(requests, 1);
}

void OnlyOneTest::startAfterTheFirstWasKilledRuns()
{
    auto killed = StartInstance(1);
    QVERIFY(killed->waitForReadyRead(kProcessMs));
    QCOMPARE(killed->readLine(), QByteArray("first\n"));
    killed->kill();
    QVERIFY(killed->waitForFinished(kProcessMs));
    // It left its lock file and its socket behind.
    const QString name = RuntimeFolder() + TOnlyOne::InstanceAtomName(QLatin1String(kTitle));
    QVERIFY(QFile::exists(name + QStringLiteral(".lock")));
    QVERIFY(QFile::exists(name));

    TOnlyOne next;
    int requests = 0;
    next.OnBringToFront = [&] { ++requests; };
    QVERIFY(next.CheckInstance());

    auto later = StartInstance(1);
    QVERIFY(later->waitForFinished(kProcessMs));
    QCOMPARE(later->readAllStandardOutput(), QByteArray("second\n"));
    QTRY_COMPARE(requests, 1);
}

void OnlyOneTest::simultaneousStartsLeaveOneRunning()
{
    constexpr int kStarts = 5;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < kStarts; ++i)
        starts.push_back(StartInstance(kStarts - 1));

    int firsts = 0;
    for (auto& start : starts) {
        QVERIFY(start->waitForFinished(kProcessMs));
        QCOMPARE(start->exitCode(), 0);
        const QByteArray output = start->readAllStandardOutput();
        if (output.startsWith("first")) {
            ++firsts;
            QCOMPARE(output, QByteArray("first\n") + QByteArray("request\n").repeated(kStarts - 1));
        } else {
            QCOMPARE(output, QByteArray("second\n"));
        }
    }
    QCOMPARE(firsts, 1);
}

void OnlyOneTest::foreignRequestsAreIgnored()
{
    TOnlyOne first;
    int requests = 0;
    first.OnBringToFront = [&] { ++requests; };
    QVERIFY(first.CheckInstance());
    const QString serverPath = RuntimeFolder() + TOnlyOne::InstanceAtomName(QLatin1String(kTitle));

    for (const QByteArray& request : { QByteArray("hide\n"), QByteArray("show"), QByteArray(100000, 's') }) {
        QLocalSocket socket;
        socket.connectToServer(serverPath);
        QVERIFY(socket.waitForConnected(kProcessMs));
        socket.write(request);
        socket.waitForBytesWritten(kProcessMs);
        socket.disconnectFromServer();
    }
    // A proper request after them is still answered, and only it.
    TOnlyOne later;
    QVERIFY(!later.CheckInstance());
    QTRY_COMPARE(requests, 1);
    QTest::qWait(100);
    QCOMPARE(requests, 1);
}

void OnlyOneTest::unenforcedGuardAlwaysRuns()
{
    TOnlyOne first;
    QVERIFY(first.CheckInstance());
    TOnlyOne unenforced;
    unenforced.EnforceOnlyOne = false;
    QVERIFY(unenforced.CheckInstance());
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kInstanceSwitch) == 0)
        return RunInstance(argc, argv, std::atoi(argv[2]));

    // Every instance of this run, this process and the ones it starts, finds
    // the others in this folder only.
    QTemporaryDir runtime;
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(kTitle));
    OnlyOneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OnlyOneTest.moc"
