#include "tools/RenderCommand.h"

#include "app/ClockAngles.h"
#include "app/ClockPicture.h"
#include "app/ClockSettings.h"
#include "app/FaceRenderer.h"
#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "platform/ProgramFolder.h"
#include "platform/Raster.h"
#include "skins/SkinFile.h"

#include <QBuffer>
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTime>

#include <optional>
#include <variant>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;
constexpr int kMaxSize = 4096;

const char* const kUsage = "usage: vellamor-tool render --skin FILE --time HH:MM:SS [--size N] [--face-only] [--24h] -o OUT.png\n";

struct RenderRequest {
    QString skinFile;
    QTime time;
    std::optional<int> size;
    QString output;
    bool faceOnly = false;
    bool h24 = false;
};

// The request, or a message saying what is wrong with the arguments.
std::variant<RenderRequest, QString> ParseArguments(const QStringList& arguments)
{
    RenderRequest request;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (option == u"--face-only" || option == u"--24h") {
            (option == u"--face-only" ? request.faceOnly : request.h24) = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return QStringLiteral("%1 needs a value\n%2").arg(option, QLatin1String(kUsage));
        const QString value = arguments[++i];
        if (option == u"--skin") {
            request.skinFile = value;
        } else if (option == u"--time") {
            request.time = QTime::fromString(value, QStringLiteral("H:mm:ss"));
            if (!request.time.isValid())
                return QStringLiteral("Bad time \"%1\": expected HH:MM:SS").arg(value);
        } else if (option == u"--size") {
            bool ok = false;
            request.size = value.toInt(&ok);
            if (!ok || *request.size < 1 || *request.size > kMaxSize)
                return QStringLiteral("Bad size \"%1\": expected a number of pixels from 1 to %2").arg(value).arg(kMaxSize);
        } else if (option == u"-o") {
            request.output = value;
        } else {
            return QStringLiteral("Unknown option %1\n%2").arg(option, QLatin1String(kUsage));
        }
    }
    if (request.skinFile.isEmpty() || !request.time.isValid() || request.output.isEmpty())
        return QString::fromLatin1(kUsage);
    return request;
}

} // namespace

int RunRenderCommand(const QStringList& arguments, QTextStream& err)
{
    const auto parsed = ParseArguments(arguments);
    if (const QString* message = std::get_if<QString>(&parsed)) {
        err << *message << (message->endsWith(u'\n') ? "" : "\n");
        return kFailed;
    }
    const RenderRequest& request = std::get<RenderRequest>(parsed);

    TSkin skin = DefaultSkin();
    try {
        if (!ReadSkinFile(request.skinFile, skin, { false, 0, ProgramFolder() })) {
            err << "Cannot read skin " << request.skinFile << ": no such file\n";
            return kFailed;
        }
    } catch (const std::exception& error) {
        err << "Cannot read skin " << request.skinFile << ": " << error.what() << '\n';
        return kFailed;
    }
    const int size = request.size.value_or(skin.ClockSize);
    if (size < 1 || size > kMaxSize) {
        err << "The skin's size " << size << " cannot be drawn; give --size\n";
        return kFailed;
    }

    QImage picture;
    if (request.faceOnly) {
        // The face of minute m, as the tick loop passes its angles: the
        // minute hand of m and the hour hand of the minute after it.
        const int minute = request.time.minute();
        picture = QImage(size, size, kRasterFormat);
        TFaceRenderer().DrawFace(picture, skin, HourAngle(request.time.hour() % 12, minute), MinuteAngle(minute));
    } else {
        const QString format = QLatin1String(request.h24 ? ClockSettings::kDefaultH24Format : ClockSettings::kDefaultAmPmFormat);
        const ClockPicture clock = ClockPictureAt(skin, QDateTime(QDate::currentDate(), request.time), size, format,
            QGuiApplication::primaryScreen()->logicalDotsPerInchY());
        // The clock is drawn all the same, without the texture's picture.
        if (clock.Problem)
            err << clock.Problem->text << '\n';
        picture = clock.Image;
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!picture.save(&png, "PNG")) {
        err << "Unable to write to " << request.output << '\n';
        return kFailed;
    }
    try {
        WriteFileAtomically(request.output, png.data());
    } catch (const IoError& error) {
        err << error.message() << '\n';
        return kFailed;
    }
    return kDone;
}
