// A settings file of any bytes: values read without harm, and a value
// written is read back as written.

#include "platform/profile/ProfileFile.h"
#include "platform/profile/ProfileUpdate.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProfileFile profile(InputAsFile(QStringLiteral("vellamor.ini"), data, size));
    profile.ReadString(QStringLiteral("Skin"), QStringLiteral("Last"), QString());
    profile.ReadInteger(QStringLiteral("Position"), QStringLiteral("Left"), 0);
    profile.ReadBool(QStringLiteral("Size"), QStringLiteral("KeepIt"), true);

    const QString value = QStringLiteral("C:\\Skins\\Ember.clk");
    ProfileUpdate update(profile.fileName());
    update.WriteString(QStringLiteral("Skin"), QStringLiteral("Last"), value);
    update.WriteInteger(QStringLiteral("Position"), QStringLiteral("Left"), -1234);
    update.Commit();
    if (profile.ReadString(QStringLiteral("Skin"), QStringLiteral("Last"), QString()) != value
        || profile.ReadInteger(QStringLiteral("Position"), QStringLiteral("Left"), 0) != -1234)
        std::abort();
    return 0;
}
