#pragma once

#include <QIcon>

// The program's icon, for its windows and the tray: "vellamor" of the
// desktop's icon theme, which an installation provides, else the same icon
// built into the program in every size of the hicolor theme.
QIcon ProgramIcon();
