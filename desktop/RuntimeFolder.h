#pragma once

#include <QString>

// Where the single-instance guard keeps its lock file and socket: a folder no
// other user can write to, so that no one else can plant a lock that keeps
// the clock from starting.
struct RuntimeFolder {
    QString path;    // with a trailing separator; empty when there is none
    QString problem; // why there is none, naming the folder
};

// The user's runtime folder (XDG_RUNTIME_DIR) when it is set and private.
// Otherwise "vellamor-<uid>" in the temporary folder, made with mode 0700
// when it is missing; one that is there already is used only when it is a
// folder (not a link), owned by this user and of mode 0700. When another
// user has put something else there, "vellamor-runtime" in the user's own
// cache folder, under the same rules.
RuntimeFolder PrivateRuntimeFolder();
