#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Saves run in a child process whose disk fails them, the way users' disks
// do: a file-size limit, or a small file system that is full.
struct SaveOutcome {
    QString error;        // the save's IoError text; empty when it succeeded
    QByteArray fileAfter; // the bytes of the saved file afterwards
};

// Runs save in a child process that may write at most limitBytes to any file
// (RLIMIT_FSIZE, with SIGXFSZ ignored): a write past it fails with EFBIG.
SaveOutcome SaveWithFileSizeLimit(qint64 limitBytes, const QString& file, const std::function<void()>& save);

// Runs prepare, then save, in a child process with a 64 KB tmpfs of its own
// mounted on folder, which is filled up between the two. Gives nothing, with
// the reason in skipReason, where no tmpfs can be mounted (no root and no
// user namespaces).
std::optional<SaveOutcome> SaveOnFullDisk(const QString& folder, const QString& file,
    const std::function<void()>& prepare, const std::function<void()>& save, QString& skipReason);
