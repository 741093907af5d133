#include "tools/RenderCommand.h"

#include "clock/ClockAngles.h"
#include "clock/ClockPicture.h"
#include "clock/ClockSettings.h"
#include "clock/ClockSnapshot.h"
#include "clock/FaceRenderer.h"
#include "platform/files/AtomicFile.h"
#include "platform/text/LocalClock.h"
#include "platform/files/MessageError.h"
#include "platform/files/ProgramFolder.h"
#include "platform/raster/Raster.h"
#include "skins/SkinFile.h"
#include "tools/HelpOption.h"
#include "tools/TypedFile.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTime>

#include <optional>
#include <utility>
#include <variant>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;
constexpr int kMaxSize = 4096;

const char* const kRenderUsage
    = "usage: vellamor-tool render --skin FILE --time HH:MM:SS [--size N] [--face-only] [--24h] [--strict] -o OUT.png|OUT.jpg\n"
      "FILE is found from the current folder, else in the program folder.\n";
const char* const kSnapshotUsage
    = "usage: vellamor-tool snapshot --skin FILE [--time HH:MM:SS] [--24h] [--strict] -o OUT.jpg|OUT.png\n"
      "FILE is found from the current folder, else in the program folder.\n";

// The picture formats the output's extension names.
enum class PictureFormat { Png, Jpeg };

std::optional<PictureFormat> FormatOfName(const QString& output)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == u"png")
        return PictureFormat::Png;
    if (suffix == u"jpg" || suffix == u"jpeg")
        return PictureFormat::Jpeg;
    return std::nullopt;
}

// A picture of the clock, rendered at a size, or a skin's snapshot.
enum class PictureKind { Render, Snapshot };

struct PictureRequest {
    QString skinFile;
    QTime time;
    std::optional<int> size;
    QString output;
    PictureFormat format = PictureFormat::Png;
    bool faceOnly = false;
    bool h24 = false;
    bool strict = false; // a texture that cannot be shown fails the picture
};

// The request, or a message saying what is wrong with the arguments. A
// snapshot has its own size and no face-only form, and is taken now unless
// a time is given.
std::variant<PictureRequest, QString> ParseArguments(const QStringList& arguments, PictureKind kind)
{
    const bool snapshot = kind == PictureKind::Snapshot;
    const QLatin1String usage(snapshot ? kSnapshotUsage : kRenderUsage);
    PictureRequest request;
    if (snapshot)
        request.time = CurrentLocalDateTime().time();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        if (snapshot && (option == u"--face-only" || option == u"--size"))
            return QStringLiteral("Unknown option %1\n%2").arg(option, usage);
        if (option == u"--face-only" || option == u"--24h" || option == u"--strict") {
            (option == u"--face-only" ? request.faceOnly : option == u"--24h" ? request.h24 : request.strict) = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return QStringLiteral("%1 needs a value\n%2").arg(option, usage);
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
            const std::optional<PictureFormat> format = FormatOfName(value);
            if (!format)
                return QStringLiteral("Cannot write \"%1\": name a .png or a .jpg file").arg(value);
            request.output = value;
            request.format = *format;
        } else {
            return QStringLiteral("Unknown option %1\n%2").arg(option, usage);
        }
    }
    if (request.skinFile.isEmpty() || !request.time.isValid() || request.output.isEmpty())
        return QString(usage);
    return request;
}

// The request of valid arguments with the skin it names; a message on err
// otherwise.
std::optional<std::pair<PictureRequest, Skin>> ReadRequest(const QStringList& arguments, PictureKind kind, QTextStream& err)
{
    const auto parsed = ParseArguments(arguments, kind);
    if (const QString* message = std::get_if<QString>(&parsed)) {
        err << *message << (message->endsWith(u'\n') ? "" : "\n");
        return std::nullopt;
    }
    const PictureRequest& request = std::get<PictureRequest>(parsed);
    const QString skinFile = FindTypedFile(request.skinFile, ProgramFolder());
    Skin skin = DefaultSkin();
    try {
        if (skinFile.isEmpty() || !ReadSkinFile(skinFile, skin, { false, 0, ProgramFolder() })) {
            err << "Cannot read skin " << request.skinFile << ": no such file here or in the program folder "
                << QDir::toNativeSeparators(ProgramFolder()) << '\n';
            return std::nullopt;
        }
    } catch (const std::exception& error) {
        // The error names the file.
        err << error.what() << '\n';
        return std::nullopt;
    }
    return std::pair(request, skin);
}

QString ReadoutFormat(const PictureRequest& request)
{
    return QLatin1String(request.h24 ? kDefaultH24Format : kDefaultAmPmFormat);
}

double PixelsPerInch()
{
    return QGuiApplication::primaryScreen()->logicalDotsPerInchY();
}

// Tells what the texture could not show; the picture is drawn all the same,
// without the texture's picture, unless it is strict. True when it may be
// written.
bool AcceptTextureProblem(const ClockPicture& picture, const PictureRequest& request, QTextStream& err)
{
    if (!picture.Problem)
        return true;
    err << picture.Problem->text << '\n';
    return !request.strict;
}

// Writes the picture in the format its name asks for; a message on err
// when it cannot. True when written.
bool WritePicture(const QImage& picture, const PictureRequest& request, QTextStream& err)
{
    try {
        if (request.format == PictureFormat::Jpeg) {
            WriteSnapshot(request.output, picture);
            return true;
        }
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!picture.save(&png, "PNG")) {
            err << "Unable to write to " << request.output << '\n';
            return false;
        }
        WriteFileAtomically(request.output, png.data());
        return true;
    } catch (const MessageError& error) {
        err << error.message() << '\n';
        return false;
    }
}

} // namespace

int RunRenderCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (IsHelpRequest(arguments)) {
        out << kRenderUsage;
        return kDone;
    }
    const auto read = ReadRequest(arguments, PictureKind::Render, err);
    if (!read)
        return kFailed;
    const auto& [request, skin] = *read;
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
        FaceRenderer().DrawFace(picture, skin, HourAngle(request.time.hour() % 12, minute), MinuteAngle(minute));
    } else {
        const ClockPicture clock = ClockPictureAt(skin, QDateTime(QDate::currentDate(), request.time), size,
            ReadoutFormat(request), PixelsPerInch());
        if (!AcceptTextureProblem(clock, request, err))
            return kFailed;
        picture = clock.Image;
    }
    return WritePicture(picture, request, err) ? kDone : kFailed;
}

int RunSnapshotCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (IsHelpRequest(arguments)) {
        out << kSnapshotUsage;
        return kDone;
    }
    const auto read = ReadRequest(arguments, PictureKind::Snapshot, err);
    if (!read)
        return kFailed;
    const auto& [request, skin] = *read;
    const QDateTime moment(CurrentLocalDateTime().date(), request.time);
    const ClockPicture snapshot = SnapshotPicture(skin, moment, ReadoutFormat(request), PixelsPerInch());
    if (!AcceptTextureProblem(snapshot, request, err))
        return kFailed;
    return WritePicture(snapshot.Image, request, err) ? kDone : kFailed;
}
