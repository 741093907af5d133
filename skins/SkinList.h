#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

// The skins of the program folder as the skin list and the gallery offer
// them: the names the list shows, the snapshots the gallery shows, and where
// each thumbnail sits. No windows: the options window fills its controls
// from these.

inline constexpr auto kSkinFilePattern = "*.clk";
inline constexpr auto kSnapshotFilePattern = "*.jpg";

// The folder of the skins' snapshots, with a trailing separator.
QString ScreenshotsFolder(const QString& programFolder);

// The snapshot of a skin file, wherever the skin lies: the skin's file name
// with ".jpg" for its extension, in the Screenshots folder.
QString SnapshotFile(const QString& skinFile, const QString& programFolder);

// The draft of a skin file's unsaved edits, kept when the clock ended with
// no one to ask about them: the file's name in the Drafts folder.
QString SkinDraftFile(const QString& skinFile, const QString& programFolder);

// The file a save of skinFile writes: the file itself, except for a skin
// that came with the program and lies in the shipped folder apart from the
// user's: that one is never replaced, and its copy under the same name in
// the user's folder is written instead.
QString SkinFileToSaveTo(const QString& skinFile, const QString& programFolder, const QString& shippedFolder);

// A name for saving a skin as a new file, beside skinFile and never it:
// "Classic.clk" gives "Classic 2.clk", "Classic 2.clk" gives "Classic 3.clk",
// the first of them no file has taken.
QString UnusedSkinFileName(const QString& skinFile);

// The names the skin list shows for the listed skin files: each without its
// extension, in the listing's order.
QStringList SkinNames(const QStringList& skinFiles);

// The entry of names that names the skin of a file (its name without folder
// and extension): the one spelt the same, else the first that differs only
// in letter case; -1 when none does.
int SkinNameIndex(const QStringList& names, const QString& skinFile);

// The snapshots the gallery shows, in the listing's order: those named after
// a skin of the list (letter case aside). Others take no place.
QStringList SnapshotsWithSkin(const QStringList& snapshotFiles, const QStringList& names);

// The gallery's table: thumbnails of 120 x 120 pixels stretched from their
// snapshots, each with its skin's name in a line under it, three to a row,
// 122 pixels apart, rows 140 pixels apart.
inline constexpr int kThumbSide = 120;
inline constexpr int kThumbNameHeight = 18;
inline constexpr int kThumbPitch = 122;
inline constexpr int kThumbRowPitch = kThumbSide + kThumbNameHeight + (kThumbPitch - kThumbSide);
inline constexpr int kThumbColumns = 3;

// Where thumbnail slot (counting from 0) sits in the gallery.
QPoint ThumbPosition(int slot);
