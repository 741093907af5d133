#pragma once

#include <QString>

// The folder every file of the program is named relative to, with a trailing
// separator: the folder named by the environment variable VELLAMOR_HOME when
// it is set, else the folder of the running executable.
QString ProgramFolder();
