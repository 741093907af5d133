#pragma once

#include "skins/Skin.h"

#include <QString>

#include <cstdint>

inline constexpr auto kDefaultSkinFileName = "default.clk";

// The folder of texture pictures, with a trailing separator.
QString TexturesFolder(const QString& programFolder);

// The file a load reads: the requested one when it names an existing file,
// else "default.clk" in the program folder. A folder counts as missing.
QString SkinPathToRead(const QString& requested, const QString& programFolder);

struct SkinLoadOptions {
    bool keepClockSize;              // "Keep last clock size" is checked
    std::int32_t currentClockSize;   // the size of the clock before the load
    QString programFolder;
};

// The skin as a load reads it: a middle position 0 stands for 50.
Skin WithMiddlePositionsSet(Skin skin);

// Reads the first record of a skin file into loadBuffer and applies the
// load-time adjustments: middle positions 0 become 50; the current size is
// kept when asked and positive; a bare texture file name is put into the
// Textures folder. Returns false, changing nothing, when the file does not
// exist; throws IoError when it cannot be read or is shorter than a record.
bool ReadSkinFile(const QString& fileName, Skin& loadBuffer, const SkinLoadOptions& options);

// Writes skin as one record, replacing the file atomically. A texture picture
// in the program's Textures folder is stored by its bare name, and the live
// record keeps that bare name too. Throws IoError on failure.
void SaveSkinFile(const QString& fileName, Skin& skin, const QString& programFolder);
