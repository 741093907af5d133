#pragma once

#include <QString>

// An INI file read and written one value at a time, by section and key.
// Section and key names match ignoring letter case. A write changes the one
// line of its key in place and keeps every other line, comment and the order;
// a new key goes to the end of its section, a new section to the end of the
// file. A missing file or key reads as the default; values are cut to 2047
// characters. A failed write throws IoError("Unable to write to <file>").
class ProfileFile {
public:
    static constexpr int kMaxValueLength = 2047;

    explicit ProfileFile(QString fileName);

    const QString& fileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x" or "$"; a value that does not parse
    // gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);

private:
    QString m_fileName;
};
