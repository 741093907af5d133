#pragma once

#include <QString>
#include <QStringList>

// Fills the user's folder from the folder of the shipped files: the skins
// (*.clk) and the folders Textures, Screenshots and Alarm, which are made
// even when nothing is shipped in them. A shipped file is copied only when it
// was never offered before: a file the user has, changed or their own of the
// same name, is never overwritten, and one the user deleted is not brought
// back, while the new files of a later version still arrive. The files
// offered so far are listed in the user's folder, in ".shipped", one path a
// line relative to the folder.
//
// Each copy is written whole or not at all. Returns a message for each file or
// folder that could not be made; the rest is done all the same.
QStringList SeedUserFolder(const QString& shippedFolder, const QString& userFolder);
