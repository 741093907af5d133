#include "platform/dialogs/LocalFileOpener.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace {

// xdg-open's exit statuses.
constexpr int kNoApplication = 3;
constexpr int kApplicationFailed = 4;

QString ReasonOfExit(int status)
{
    switch (status) {
    case kNoApplication:
        return QCoreApplication::translate("LocalFileOpener", "no application for it was found");
    case kApplicationFailed:
        return QCoreApplication::translate("LocalFileOpener", "the application for it could not open it");
    default:
        return QCoreApplication::translate("LocalFileOpener", "xdg-open ended with status %1").arg(status);
    }
}

void OpenWithXdgOpen(const QString& file, FailureReport failed)
{
    // No parent: a helper still waiting for the application it started is
    // neither stopped nor waited for when the program ends.
    auto* helper = new QProcess;
    helper->setProgram(QStringLiteral("xdg-open"));
    helper->setArguments({ QFileInfo(file).absoluteFilePath() });
    helper->setStandardInputFile(QProcess::nullDevice());
    helper->setStandardOutputFile(QProcess::nullDevice());
    helper->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(helper, &QProcess::errorOccurred, helper, [helper, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        failed(QCoreApplication::translate("LocalFileOpener", "xdg-open, which opens files with their application, "
                                                              "cannot be run (install xdg-utils)"));
        helper->deleteLater();
    });
    QObject::connect(helper, &QProcess::finished, helper, [helper, failed](int status, QProcess::ExitStatus exit) {
        if (exit != QProcess::NormalExit)
            failed(QCoreApplication::translate("LocalFileOpener", "xdg-open crashed"));
        else if (status != 0)
            failed(ReasonOfExit(status));
        helper->deleteLater();
    });
    helper->start();
}

LocalFileOpener& CurrentOpener()
{
    static LocalFileOpener opener = OpenWithXdgOpen;
    return opener;
}

} // namespace

void OpenLocalFile(const QString& file, FailureReport failed)
{
    CurrentOpener()(file, std::move(failed));
}

LocalFileOpener SetLocalFileOpener(LocalFileOpener opener)
{
    return std::exchange(CurrentOpener(), std::move(opener));
}
