#pragma once

#include <QString>

// An INI file read one value at a time, by section and key, with the rules of
// ProfileText: names match ignoring letter case. A missing file or key, or a
// file that cannot be read, reads as the default; values are cut to 2047
// characters. Writes go through a ProfileUpdate, which changes the lines of
// its keys, keeps every other byte, and replaces the file once.
class ProfileFile {
public:
    static constexpr int kMaxValueLength = 2047;
    // Far beyond any real settings file; a larger one is refused rather than
    // read into memory.
    static constexpr qint64 kMaxFileSize = qint64(64) << 20;

    explicit ProfileFile(QString fileName);

    const QString& fileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "0x" or "$"; a value that does not parse
    // gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Why the file cannot be read although it is there (a folder, a FIFO, a
    // device, a file larger than kMaxFileSize, no permission), naming it; an
    // empty text when it can be read or does not exist.
    QString ReadProblem() const;

private:
    QString m_fileName;
};
