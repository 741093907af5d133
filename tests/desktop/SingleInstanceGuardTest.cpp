// The single instance guard between real processes: this test starts copies
// of itself ("--instance") as the competing starts, all sharing one private
// runtime folder.
#include "desktop/SingleInstanceGuard.h"
#include "desktop/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
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
    SingleInstanceGuard guard;
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

} // namespace

class SingleInstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void instanceNameTakesTwentyCharactersOfTheTitle();
    void laterStartsEndAndBringTheFirstToTheFront();
    void startAfterTheFirstEndedRuns();
    void startAfterTheFirstWasKilledRuns();
    void simultaneousStartsLeaveOneRunning();
    void foreignRequestsAreIgnored();
    void idleConnectionsAreClosedAndCapped();
    void theChannelListensAgainAfterTheDescriptorsRanOut();
    void unenforcedGuardAlwaysRuns();
    void withoutARuntimeFolderOnlyAPrivateOneIsUsed_data();
    void withoutARuntimeFolderOnlyAPrivateOneIsUsed();
};

void SingleInstanceGuardTest::instanceNameTakesTwentyCharactersOfTheTitle()
{
    QCOMPARE(SingleInstanceGuard::InstanceAtomName(QStringLiteral("Vellamor")), QStringLiteral("OnlyOneVellamor"));
    QCOMPARE(SingleInstanceGuard::InstanceAtomName(QStringLiteral("A title longer than twenty")),
        QStringLiteral("OnlyOneA title longer than "));
    QCOMPARE(SingleInstanceGuard::InstanceAtomName(QStringLiteral("A title longer than twenty")),
        SingleInstanceGuard::InstanceAtomName(QStringLiteral("A title longer than 20 characters")));
}

void SingleInstanceGuardTest::laterStartsEndAndBringTheFirstToTheFront()
{
    SingleInstanceGuard first;
    int requests = 0;
    first.OnBringToFront = [&] { ++requests; };
    QVERIFY(first.CheckInstance());

    SingleInstanceGuard second;
    QVERIFY(!second.CheckInstance());
    QTRY_COMPARE(requests, 1);

    // A third start in another process, after the second has ended.
    auto third = StartInstance(1);
    QVERIFY(third->waitForFinished(kProcessMs));
    QCOMPARE(third->readAllStandardOutput(), QByteArray("second\n"));
    QCOMPARE(third->exitCode(), 0);
    QTRY_COMPARE(requests, 2);
}

void SingleInstanceGuardTest::startAfterTheFirstEndedRuns()
{
    auto first = std::make_unique<SingleInstanceGuard>();
    QVERIFY(first->CheckInstance());
    first.reset();

    SingleInstanceGuard next;
    int requests = 0;
    next.OnBringToFront = [&] { ++requests; };
    QVERIFY(next.CheckInstance());
    SingleInstanceGuard later;
    QVERIFY(!later.CheckInstance());
    QTRY_COMPARE(requests, 1);
}

void SingleInstanceGuardTest::startAfterTheFirstWasKilledRuns()
{
    auto killed = StartInstance(1);
    QVERIFY(killed->waitForReadyRead(kProcessMs));
    QCOMPARE(killed->readLine(), QByteArray("first\n"));
    killed->kill();
    QVERIFY(killed->waitForFinished(kProcessMs));
    // It left its lock file and its socket behind.
    const QString name = PrivateRuntimeFolder().path + SingleInstanceGuard::InstanceAtomName(QLatin1String(kTitle));
    QVERIFY(QFile::exists(name + QStringLiteral(".lock")));
    QVERIFY(QFile::exists(name));

    SingleInstanceGuard next;
    int requests = 0;
    next.OnBringToFront = [&] { ++requests; };
    QVERIFY(next.CheckInstance());

    auto later = StartInstance(1);
    QVERIFY(later->waitForFinished(kProcessMs));
    QCOMPARE(later->readAllStandardOutput(), QByteArray("second\n"));
    QTRY_COMPARE(requests, 1);
}

void SingleInstanceGuardTest::simultaneousStartsLeaveOneRunning()
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

void SingleInstanceGuardTest::foreignRequestsAreIgnored()
{
    SingleInstanceGuard first;
    int requests = 0;
    first.OnBringToFront = [&] { ++requests; };
    QVERIFY(first.CheckInstance());
    const QString serverPath = PrivateRuntimeFolder().path + SingleInstanceGuard::InstanceAtomName(QLatin1String(kTitle));

    for (const QByteArray& request : { QByteArray("hide\n"), QByteArray("show"), QByteArray(100000, 's') }) {
        QLocalSocket socket;
        socket.connectToServer(serverPath);
        QVERIFY(socket.waitForConnected(kProcessMs));
        socket.write(request);
        socket.waitForBytesWritten(kProcessMs);
        socket.disconnectFromServer();
    }
    // A proper request after them is still answered, and only it.
    SingleInstanceGuard later;
    QVERIFY(!later.CheckInstance());
    QTRY_COMPARE(requests, 1);
    QTest::qWait(100);
    QCOMPARE(requests, 1);
}

// Sends a request to the guard of this very thread and waits for its answer
// in the event loop (AskInstance would block the guard it asks); empty when
// none comes.
QByteArray AskFromThisThread(const QString& serverPath, const QByteArray& request)
{
    QLocalSocket asker;
    asker.connectToServer(serverPath);
    if (!asker.waitForConnected(kProcessMs))
        return QByteArray();
    asker.write(request);
    if (!QTest::qWaitFor([&asker] { return asker.canReadLine(); }, kProcessMs))
        return QByteArray();
    return asker.readLine();
}

// Senders that connect and never finish a line neither pile up nor keep the
// guard from answering: the connections beyond a few are closed at once, the
// others after two seconds, and a proper request is answered meanwhile.
void SingleInstanceGuardTest::idleConnectionsAreClosedAndCapped()
{
    SingleInstanceGuard first;
    first.OnRequest = [](const QByteArray& request) { return "answer to " + request; };
    QVERIFY(first.CheckInstance());
    const QString serverPath = PrivateRuntimeFolder().path + SingleInstanceGuard::InstanceAtomName(QLatin1String(kTitle));

    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 50; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(serverPath);
        QVERIFY(idle.back()->waitForConnected(kProcessMs));
        idle.back()->write("no line end");
    }
    const auto open = [&] {
        return std::count_if(idle.begin(), idle.end(),
            [](const auto& socket) { return socket->state() == QLocalSocket::ConnectedState; });
    };
    QTRY_VERIFY(open() <= 8);
    QTRY_COMPARE_WITH_TIMEOUT(open(), 0, 5000);
    QCOMPARE(AskFromThisThread(serverPath, "ping\n"), QByteArray("answer to ping\n"));
}

// At the descriptor limit an accept fails and the server closes; once a
// connection has gone, the guard listens again and answers.
void SingleInstanceGuardTest::theChannelListensAgainAfterTheDescriptorsRanOut()
{
    SingleInstanceGuard first;
    first.OnRequest = [](const QByteArray& request) { return "answer to " + request; };
    QVERIFY(first.CheckInstance());
    const QString serverPath = PrivateRuntimeFolder().path + SingleInstanceGuard::InstanceAtomName(QLatin1String(kTitle));
    QLocalSocket idle;
    idle.connectToServer(serverPath);
    QVERIFY(idle.waitForConnected(kProcessMs));
    QTest::qWait(50); // accepted

    rlimit limit {};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit saved = limit;
    // Room for the client's descriptor only: the server's accept fails.
    limit.rlim_cur = rlim_t(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
    {
        QLocalSocket refused;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limit), 0);
        refused.connectToServer(serverPath);
        refused.waitForConnected(kProcessMs);
        QTest::qWait(200);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &saved), 0);
    }

    // The idle connection times out; then a request is answered.
    QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QLocalSocket::UnconnectedState, 5000);
    QCOMPARE(AskFromThisThread(serverPath, "ping\n"), QByteArray("answer to ping\n"));
}

void SingleInstanceGuardTest::unenforcedGuardAlwaysRuns()
{
    SingleInstanceGuard first;
    QVERIFY(first.CheckInstance());
    SingleInstanceGuard unenforced;
    unenforced.EnforceOnlyOne = false;
    QVERIFY(unenforced.CheckInstance());
}

void SingleInstanceGuardTest::withoutARuntimeFolderOnlyAPrivateOneIsUsed_data()
{
    QTest::addColumn<QString>("planted");
    QTest::addColumn<QString>("problem");
    QTest::newRow("none yet") << "" << "";
    QTest::newRow("a folder open to all") << "open" << "can be used by other users (mode 0755, not 0700)";
    QTest::newRow("a link") << "link" << "is a link, not a folder of this user";
    QTest::newRow("a file") << "file" << "is not a folder";
    QTest::newRow("another user's folder") << "foreign" << "belongs to another user";
}

// With XDG_RUNTIME_DIR unset, the guard works in a folder of its own in the
// temporary folder, which it makes private; one planted there by someone else
// is refused, and the guard then works in the user's own cache folder.
void SingleInstanceGuardTest::withoutARuntimeFolderOnlyAPrivateOneIsUsed()
{
    QFETCH(QString, planted);
    QFETCH(QString, problem);
    QTemporaryDir temporary;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const std::optional<QByteArray> tmpdir
        = qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", runtime);
        if (tmpdir)
            qputenv("TMPDIR", *tmpdir);
        else
            qunsetenv("TMPDIR");
    });
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    const auto restoreCache = qScopeGuard([&] { qputenv("XDG_CACHE_HOME", cache); });
    qputenv("XDG_CACHE_HOME", QFile::encodeName(temporary.path() + QStringLiteral("/cache")));

    const QString folder = temporary.path() + QStringLiteral("/vellamor-%1").arg(::getuid());
    const QByteArray name = QFile::encodeName(folder);
    if (planted == u"open" || planted == u"foreign")
        QCOMPARE(::mkdir(name.constData(), 0755), 0);
    if (planted == u"foreign") {
        if (::getuid() != 0)
            QSKIP("only root can give a folder to another user");
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
    }
    if (planted == u"link") {
        QVERIFY(QDir().mkdir(temporary.path() + QStringLiteral("/elsewhere")));
        QVERIFY(QFile::link(temporary.path() + QStringLiteral("/elsewhere"), folder));
    }
    if (planted == u"file")
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));

    const RuntimeFolder runtimeFolder = PrivateRuntimeFolder();
    const auto locks = [&] {
        QStringList found;
        for (QDirIterator it(temporary.path(), { QStringLiteral("*.lock") }, QDir::Files | QDir::Hidden,
                 QDirIterator::Subdirectories);
             it.hasNext();)
            found << it.next();
        return found;
    };
    if (problem.isEmpty()) {
        QCOMPARE(runtimeFolder.path, folder + u'/');
        struct stat info {};
        QCOMPARE(::lstat(name.constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0700));
        SingleInstanceGuard first;
        QVERIFY(first.CheckInstance());
        QCOMPARE(locks(), QStringList { folder + QStringLiteral("/OnlyOneVellamor.lock") });
        SingleInstanceGuard second;
        QVERIFY(!second.CheckInstance());
    } else {
        // Refused, and the guard goes on in the user's own cache folder: a
        // planted folder cannot switch it off.
        const QString own = temporary.path() + QStringLiteral("/cache/vellamor-runtime");
        QCOMPARE(runtimeFolder.path, own + u'/');
        SingleInstanceGuard first;
        QVERIFY(first.CheckInstance());
        QCOMPARE(locks(), QStringList { own + QStringLiteral("/OnlyOneVellamor.lock") });
        SingleInstanceGuard second;
        QVERIFY(!second.CheckInstance());
    }
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
    SingleInstanceGuardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SingleInstanceGuardTest.moc"
