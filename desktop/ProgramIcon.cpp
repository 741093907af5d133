#include "desktop/ProgramIcon.h"

namespace {

constexpr int kBuiltInSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256 };

} // namespace

QIcon ProgramIcon()
{
    QIcon builtIn;
    for (const int size : kBuiltInSizes)
        builtIn.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/vellamor.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("vellamor"), builtIn);
}
