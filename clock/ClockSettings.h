#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

// The clock's settings file, "vellamor.ini" in the program folder: its
// sections, keys and the path rules of its values.
namespace SettingsKeys {

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
inline constexpr auto kHintSeen = "HintSeen";

} // namespace SettingsKeys

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

// The clock's permanent options, as the settings file keeps them.
struct ClockSettings {
    QString skin;                 // [Default] Skin: the stored value
    bool stayOnTop = false;       // [Default] OnTop
    int readoutFormatIndex = 0;   // [Default] DigFrm: 0 "AM/PM", 1 "24", -1 none
    QString amPmFormat = QLatin1String(kDefaultAmPmFormat); // [Default] DigFrmAMPM
    QString h24Format = QLatin1String(kDefaultH24Format);   // [Default] DigFrm24M
    bool keepLastPosition = true; // [Position] KeepIt
    QPoint position;              // [Position] Left, Top: desktop pixels, as stored
    bool positionStored = false;  // whether the file held Left or Top: not the first start
    bool keepSize = true;         // [Size] KeepIt
    int lastSize = 0;             // [Size] LastOne: pixels, 0 for none
    bool hintSeen = false;        // [Default] HintSeen: the first start's hint was dismissed

    // The readout's format for the chosen index: the 24-hour one unless the
    // 12-hour one is chosen.
    QString readoutFormat() const { return readoutFormatIndex == 0 ? amPmFormat : h24Format; }
};

// The settings file and the settings it holds. It is read once, at the
// start; the windows change the settings here and observe them; a save writes
// every key in one replacement of the file, keeping everything else in it.
class ClockSettingsFile : public QObject {
    Q_OBJECT

public:
    // "vellamor.ini" in the program folder.
    static QString DefaultPath();

    explicit ClockSettingsFile(QString fileName = DefaultPath(), QObject* parent = nullptr);

    const QString& fileName() const { return m_fileName; }
    const ClockSettings& settings() const { return m_settings; }

    // Reads the file. A file that cannot be read (a folder, a FIFO, a huge
    // file) reads as defaults, and the returned text says why; empty when it
    // was read or does not exist.
    QString read();

    void setStayOnTop(bool onTop);
    // A value above 1 chooses 1, one below -1 clears the choice.
    void setReadoutFormatIndex(int index);
    void setKeepLastPosition(bool keep);
    void setKeepSize(bool keep);
    // Where the clock is; announced to no one.
    void setPosition(QPoint position);
    // The first start's hint has served: it is not shown again.
    void setHintSeen();

    // Writes the settings with the skin file in effect and the clock's size:
    // the position only when it is kept, the size as 0 when it is not.
    // Before the file has been read nothing is written: defaults would
    // replace the user's settings. Throws IoError, leaving the file as it
    // was.
    void save(const QString& skinFile, int clockSize) const;

signals:
    void changed();

private:
    template <typename Value>
    void set(Value ClockSettings::*field, Value value);

    QString m_fileName;
    ClockSettings m_settings;
    bool m_read = false;
};
