// A settings file of any bytes: values read without harm, and a value
// written is read back as written.

#include "platform/ProfileFile.h"
#include "tests/fuzz/FuzzApplication.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("vellamor.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    ProfileFile profile(path);
    profile.ReadString(QStringLiteral("Skin"), QStringLiteral("Last"), QString());
    profile.ReadInteger(QStringLiteral("Position"), QStringLiteral("Left"), 0);
    profile.ReadBool(QStringLiteral("Size"), QStringLiteral("KeepIt"), true);

    const QString value = QStringLiteral("C:\\Skins\\Ember.clk");
    profile.WriteString(QStringLiteral("Skin"), QStringLiteral("Last"), value);
    profile.WriteInteger(QStringLiteral("Position"), QStringLiteral("Left"), -1234);
    if (profile.ReadString(QStringLiteral("Skin"), QStringLiteral("Last"), QString()) != value
        || profile.ReadInteger(QStringLiteral("Position"), QStringLiteral("Left"), 0) != -1234)
        std::abort();
    return 0;
}
