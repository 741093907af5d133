#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh folder for one test, removed afterwards. It can stand in for the
// program folder (VELLAMOR_HOME) for as long as it lives.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();

    // The folder with a trailing separator.
    QString path() const;
    QString file(const QString& name) const { return path() + name; }

    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

    // Makes this folder the program folder until destruction.
    void becomeProgramFolder();

private:
    QTemporaryDir m_dir;
    bool m_isProgramFolder = false;
    QByteArray m_previousHome;
};
