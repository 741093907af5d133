#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

// Keeps a user from running two copies of the program. The running instance
// holds a lock file in the user's runtime folder and listens on a local
// socket beside it, both named after the application title. A later start
// fails to take the lock, asks the running instance to come to the front,
// and is told to end. Other programs of the user send their requests the
// same way (InstanceChannel.h).
//
// The lock is taken before anything else, so two starts at the same moment
// never both run; a lock left by a killed or crashed instance is taken over,
// so it never blocks a later start.
class SingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    explicit SingleInstanceGuard(QObject* owner = nullptr);
    ~SingleInstanceGuard() override;

    // Whether CheckInstance guards at all.
    bool EnforceOnlyOne = true;

    // Called in the running instance when a later start asks it to come to
    // the front.
    std::function<void()> OnBringToFront;
    // Called in the running instance for any other request line (from the
    // command-line companion); its answer, one line, goes back. Without it
    // such requests are closed unanswered.
    std::function<QByteArray(const QByteArray& request)> OnRequest;

    // "OnlyOne" followed by the first 20 characters of the title.
    static QString InstanceAtomName(const QString& applicationTitle);

    // Checks for an instance running under the application's name. Returns
    // true when this process is to run: it then holds the lock and answers
    // later starts until it is destroyed. Returns false when another
    // instance runs: that one has been asked to come to the front, and this
    // process ends without writing anything.
    bool CheckInstance();

private:
    void Listen(const QString& serverPath);
    void AcceptRequests();
    void ReadRequest(QLocalSocket* socket);
    void ConnectionClosed();

    std::unique_ptr<QLockFile> m_lock;
    // Declared after the lock, so that the socket closes before the lock is
    // given up.
    std::unique_ptr<QLocalServer> m_server;
    QString m_serverPath;
    int m_openConnections = 0;
};
