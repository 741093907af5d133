#include "clock/ClockSettings.h"

#include "platform/files/FileNames.h"
#include "platform/raster/Rounding.h"

namespace ClockSettings {

QString SkinPathFromSetting(const QString& value, const QString& programFolder)
{
    return HasFolderPart(value) ? value : programFolder + value;
}

QString SkinSettingFromPath(const QString& path, const QString& programFolder)
{
    return ExtractFilePath(path) == programFolder ? ExtractFileName(path) : path;
}

int EdgeOnScreen(int edge, int screenExtent)
{
    return edge > screenExtent ? int(RoundHalfEven(screenExtent / 2.0)) : edge;
}

} // namespace ClockSettings
