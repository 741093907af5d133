#pragma once

#include <QString>

// The folder every file of the program is named relative to, with a trailing
// separator:
// - the folder named by the environment variable VELLAMOR_HOME when it is set;
// - for an installed program (the shipped files lie in share/vellamor of its
//   installation), the user's own folder "vellamor" in the data home
//   (~/.local/share, or XDG_DATA_HOME);
// - else the folder of the running executable: a build, or the program kept
//   together in one folder.
QString ProgramFolder();

// The folder of the files that come with the program (skins, textures,
// snapshots, alarm sounds and pictures, the manual), with a trailing
// separator: share/vellamor of the installation, else the executable's folder.
QString ShippedFolder();

// Where the rules above lead for an executable in executableFolder, with the
// given VELLAMOR_HOME (empty when unset) and data home; every folder has a
// trailing separator. The user's folder of an installed program is filled
// from the shipped files; a folder named by VELLAMOR_HOME is taken as it is.
struct ProgramFolders {
    QString program;
    QString shipped;
    bool fillFromShipped = false;
};
ProgramFolders LocateProgramFolders(const QString& homeVariable, const QString& executableFolder,
    const QString& dataHome);

// Fills the program folder from the shipped files when ProgramFolders says so
// (see SeedUserFolder); otherwise does nothing. Returns what
// went wrong, one message a line, or an empty text.
QString PrepareProgramFolder();
