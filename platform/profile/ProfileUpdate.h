#pragma once

#include <QString>

#include <vector>

// Writes to one INI file that reach it together: Commit reads the file once,
// applies the writes in order and replaces the file once, atomically. Until
// then nothing is read or written.
class ProfileUpdate {
public:
    explicit ProfileUpdate(QString fileName);

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Written as "1" or "0".
    void WriteBool(const QString& section, const QString& key, bool value);

    // Throws IoError("Unable to write to <file>") when the file is there but
    // cannot be read (it would lose what it holds) or cannot be replaced; the
    // file then stays as it was.
    void Commit() const;

private:
    struct Write {
        QString section;
        QString key;
        QString value;
    };

    QString m_fileName;
    std::vector<Write> m_writes;
};
