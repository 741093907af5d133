#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The channel between a running clock and later programs of the same user: a
// local socket in the user's private runtime folder, named after the
// application title. A later start of the clock asks the running one to come
// to the front through it; the command-line companion hands alarm changes to
// it. A request is one line; the clock may answer with one line.

// The clock's application title, which names its channel.
inline constexpr char kClockTitle[] = "Vellamor";

// The request that asks the running clock to come to the front (a second
// start, "vellamor-tool show"); the clock closes the connection unanswered.
inline constexpr char kBringToFrontRequest[] = "show\n";

// "OnlyOne" followed by the first 20 characters of the title.
QString InstanceName(const QString& applicationTitle);

// The socket of the instance running under the title; empty, with a message
// in problem, when the user has no private runtime folder.
QString InstanceServerPath(const QString& applicationTitle, QString* problem = nullptr);

// Sends a request line to the instance listening at serverPath and waits for
// its one-line answer (with its line end). Nothing when no instance listens
// there; an empty answer when one does but did not answer in time or closed
// the connection without answering.
std::optional<QByteArray> AskInstance(const QString& serverPath, const QByteArray& request);

// Whether a live program holds the instance lock of serverPath: an instance
// runs there, whether or not it listens.
bool InstanceLockHeld(const QString& serverPath);
