#include "tools/ShowCommand.h"

#include "desktop/InstanceChannel.h"
#include "tools/HelpOption.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage = "usage: vellamor-tool show\n"
                           "Brings the running clock to the front, also when it is hidden.\n";

} // namespace

int RunShowCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (IsHelpRequest(arguments)) {
        out << kUsage;
        return kDone;
    }
    if (!arguments.isEmpty()) {
        err << "Unknown option \"" << arguments.first() << "\"\n" << kUsage;
        return kFailed;
    }
    QString problem;
    const QString server = InstanceServerPath(QLatin1String(kClockTitle), &problem);
    if (server.isEmpty()) {
        err << problem << '\n';
        return kFailed;
    }
    if (!AskInstance(server, QByteArray(kBringToFrontRequest))) {
        err << "No clock is running.\n";
        return kFailed;
    }
    return kDone;
}
