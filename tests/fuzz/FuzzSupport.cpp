#include "tests/fuzz/FuzzSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

void StartFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzzer";
    static char* argv[] = { name, nullptr };
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the very end: libFuzzer leaves through exit(), and an
    // application torn down by then would leave its caches behind as leaks.
    static const QGuiApplication* const application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
}

QString InputAsFile(const QString& name, const std::uint8_t* data, std::size_t size)
{
    static const QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}
