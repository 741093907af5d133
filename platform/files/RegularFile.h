#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A file the program keeps (settings, skin, alarm store), opened for reading.
// Only a regular file is opened: a folder, a FIFO or a device is refused
// before anything could block on it or read from it without end. Errors are
// IoErrors whose text names the file.
class RegularFileReader {
public:
    // Nothing when there is no file at path (a dangling link included).
    static std::optional<RegularFileReader> Open(const QString& path);

    RegularFileReader(RegularFileReader&& other) noexcept;
    RegularFileReader& operator=(RegularFileReader&&) = delete;
    ~RegularFileReader();

    // The file's size when it was opened, in bytes.
    qint64 size() const { return m_size; }

    // The next count bytes, or fewer at the end of the file.
    QByteArray read(qint64 count);

    // Throws the IoError of a file larger than maxBytes.
    void refuseLargerThan(qint64 maxBytes) const;

private:
    RegularFileReader(QString path, int descriptor, qint64 size);

    QString m_path;
    int m_descriptor = -1;
    qint64 m_size = 0;
};

// Why a file of this type (st_mode) cannot be one of the program's files,
// or an empty text for a regular file.
QString NotRegularFileReason(unsigned mode);

// The whole file; nothing when there is none. Throws IoError when it is not
// a regular file, is larger than maxBytes, or cannot be read.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);
