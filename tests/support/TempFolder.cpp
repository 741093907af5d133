#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder() = default;

TempFolder::~TempFolder()
{
    if (!m_isProgramFolder)
        return;
    if (m_previousHome.isNull())
        qunsetenv("VELLAMOR_HOME");
    else
        qputenv("VELLAMOR_HOME", m_previousHome);
}

QString TempFolder::path() const
{
    return m_dir.path() + u'/';
}

void TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    QDir().mkpath(QFileInfo(file(name)).path());
    QFile out(file(name));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(file(name)));
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void TempFolder::becomeProgramFolder()
{
    m_previousHome = qgetenv("VELLAMOR_HOME");
    if (!qEnvironmentVariableIsSet("VELLAMOR_HOME"))
        m_previousHome = QByteArray();
    qputenv("VELLAMOR_HOME", m_dir.path().toUtf8());
    m_isProgramFolder = true;
}
