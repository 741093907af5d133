#include "clock/ClockSettings.h"

#include "platform/files/FileNames.h"
#include "platform/files/ProgramFolder.h"
#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileUpdate.h"
#include "platform/raster/Rounding.h"

#include <algorithm>
#include <utility>

using namespace SettingsKeys;

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

QString ClockSettingsFile::DefaultPath()
{
    return ProgramFolder() + QLatin1String(kFileName);
}

ClockSettingsFile::ClockSettingsFile(QString fileName, QObject* parent)
    : QObject(parent)
    , m_fileName(std::move(fileName))
{
}

QString ClockSettingsFile::read()
{
    const ProfileFile file(m_fileName);
    ClockSettings& s = m_settings;
    s.skin = file.ReadString(kDefault, kSkin, QString());
    s.stayOnTop = file.ReadBool(kDefault, kOnTop, false);
    s.readoutFormatIndex = std::clamp(file.ReadInteger(kDefault, kDigFrm, 0), -1, 1);
    s.amPmFormat = file.ReadString(kDefault, kDigFrmAmPm, QLatin1String(kDefaultAmPmFormat));
    s.h24Format = file.ReadString(kDefault, kDigFrm24, QLatin1String(kDefaultH24Format));
    s.keepLastPosition = file.ReadBool(kPosition, kKeepIt, true);
    s.position = QPoint(file.ReadInteger(kPosition, kLeft, 0), file.ReadInteger(kPosition, kTop, 0));
    s.positionStored = !file.ReadString(kPosition, kLeft, QString()).isEmpty()
        || !file.ReadString(kPosition, kTop, QString()).isEmpty();
    s.hintSeen = file.ReadBool(kDefault, kHintSeen, false);
    s.keepSize = file.ReadBool(kSize, kKeepIt, true);
    s.lastSize = file.ReadInteger(kSize, kLastOne, 0);
    m_read = true;
    emit changed();
    return file.ReadProblem();
}

template <typename Value>
void ClockSettingsFile::set(Value ClockSettings::*field, Value value)
{
    if (m_settings.*field == value)
        return;
    m_settings.*field = std::move(value);
    emit changed();
}

void ClockSettingsFile::setStayOnTop(bool onTop)
{
    set(&ClockSettings::stayOnTop, onTop);
}

void ClockSettingsFile::setReadoutFormatIndex(int index)
{
    set(&ClockSettings::readoutFormatIndex, std::clamp(index, -1, 1));
}

void ClockSettingsFile::setKeepLastPosition(bool keep)
{
    set(&ClockSettings::keepLastPosition, keep);
}

void ClockSettingsFile::setKeepSize(bool keep)
{
    set(&ClockSettings::keepSize, keep);
}

void ClockSettingsFile::setPosition(QPoint position)
{
    // The clock's own, shown in no window: no notice.
    m_settings.position = position;
}

void ClockSettingsFile::setHintSeen()
{
    m_settings.hintSeen = true;
}

void ClockSettingsFile::save(const QString& skinFile, int clockSize) const
{
    if (!m_read)
        return;
    const ClockSettings& s = m_settings;
    // All keys reach the file in one replacement, or none does.
    ProfileUpdate update(m_fileName);
    update.WriteString(kDefault, kSkin, SkinSettingFromPath(skinFile, ProgramFolder()));
    update.WriteBool(kDefault, kOnTop, s.stayOnTop);
    update.WriteInteger(kDefault, kDigFrm, s.readoutFormatIndex);
    if (s.hintSeen)
        update.WriteBool(kDefault, kHintSeen, true);
    update.WriteBool(kPosition, kKeepIt, s.keepLastPosition);
    if (s.keepLastPosition) {
        update.WriteInteger(kPosition, kLeft, s.position.x());
        update.WriteInteger(kPosition, kTop, s.position.y());
    }
    update.WriteBool(kSize, kKeepIt, s.keepSize);
    update.WriteInteger(kSize, kLastOne, s.keepSize ? clockSize : 0);
    update.Commit();
}
