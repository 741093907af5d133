#pragma once

#include <QString>

// The settings file of the clock window, "vellamor.ini" in the program
// folder: sections, keys and the path rules of its values.
namespace ClockSettings {

inline constexpr auto kFileName = "vellamor.ini";

inline constexpr auto kDefault = "Default";
inline constexpr auto kPosition = "Position";
inline constexpr auto kSize = "Size";

inline constexpr auto kSkin = "Skin";
inline constexpr auto kDigFrm = "DigFrm";
inline constexpr auto kDigFrmAmPm = "DigFrmAMPM";
inline constexpr auto kDigFrm24 = "DigFrm24M";
inline constexpr auto kOnTop = "OnTop";
inline constexpr auto kKeepIt = "KeepIt";
inline constexpr auto kLeft = "Left";
inline constexpr auto kTop = "Top";
inline constexpr auto kLastOne = "LastOne";

inline constexpr auto kDefaultAmPmFormat = "h:mm:ss AM/PM";
inline constexpr auto kDefaultH24Format = "h:mm:ss";

// The skin to load from the stored value: a name without a folder lies in
// the program folder (an empty value gives the program folder alone).
QString SkinPathFromSetting(const QString& value, const QString& programFolder);

// The value to store for a skin path: the bare file name for a skin in the
// program folder, the full path otherwise.
QString SkinSettingFromPath(const QString& path, const QString& programFolder);

// A stored left or top edge beyond the screen's extent comes back at the
// middle of the screen; every other value, negative ones too, is kept.
int EdgeOnScreen(int edge, int screenExtent);

} // namespace ClockSettings
