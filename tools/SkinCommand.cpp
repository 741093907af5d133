#include "tools/SkinCommand.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "platform/files/RegularFile.h"
#include "skins/SkinFields.h"
#include "tools/HelpOption.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage = "usage: vellamor-tool skin show FILE\n"
                           "       vellamor-tool skin new [--force] FILE [Name=Value ...]\n"
                           "       vellamor-tool skin set FILE Name=Value ...\n";

Skin ReadSkin(const QString& fileName)
{
    std::optional<RegularFileReader> file = RegularFileReader::Open(fileName);
    if (!file)
        throw IoError(QStringLiteral("Cannot read %1: no such file").arg(fileName));
    const QByteArray bytes = file->read(qint64(kSkinRecordSize));
    if (bytes.size() < qsizetype(kSkinRecordSize))
        throw IoError(QStringLiteral("%1: Read beyond end of file").arg(fileName));
    std::array<std::uint8_t, kSkinRecordSize> record {};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return ReadSkinRecord(record);
}

void WriteSkin(const QString& fileName, const Skin& skin)
{
    const auto record = WriteSkinRecord(skin);
    WriteFileAtomically(fileName, QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size())));
}

// Applies every Name=Value; on the first that does not fit, returns its
// message and the skin may be partly changed (the caller does not write it).
QString ApplyAssignments(Skin& skin, const QStringList& assignments)
{
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            return QStringLiteral("\"%1\" is not of the form Name=Value").arg(assignment);
        const QString name = assignment.left(equals);
        const SkinField* field = FindSkinField(name);
        if (!field || !field->isSetting)
            return QStringLiteral("%1 is not a field of the skin").arg(name);
        if (const QString error = ParseSkinField(skin, *field, assignment.mid(equals + 1)); !error.isEmpty())
            return error;
    }
    return QString();
}

} // namespace

int RunSkinCommand(const QStringList& givenArguments, QTextStream& out, QTextStream& err)
{
    if (IsHelpRequest(givenArguments)) {
        out << kUsage;
        return kDone;
    }
    QStringList arguments = givenArguments;
    const bool force = arguments.removeAll(QStringLiteral("--force")) > 0;
    const QString action = arguments.value(0);
    const QString fileName = arguments.value(1);
    const QStringList assignments = arguments.mid(2);
    if (fileName.isEmpty() || (action == u"show" && !assignments.isEmpty()) || (action == u"set" && assignments.isEmpty())
        || (action != u"show" && action != u"new" && action != u"set")) {
        err << kUsage;
        return kFailed;
    }

    try {
        if (action == u"show") {
            const Skin skin = ReadSkin(fileName);
            for (const SkinField& field : kSkinFields)
                if (field.isSetting)
                    out << field.name << '=' << FormatSkinField(skin, field) << '\n';
            return kDone;
        }
        if (action == u"new" && !force && QFileInfo::exists(fileName)) {
            err << fileName << " exists; give --force to replace it\n";
            return kFailed;
        }
        Skin skin = action == u"new" ? DefaultSkin() : ReadSkin(fileName);
        if (const QString error = ApplyAssignments(skin, assignments); !error.isEmpty()) {
            err << error << '\n';
            return kFailed;
        }
        WriteSkin(fileName, skin);
        return kDone;
    } catch (const IoError& error) {
        err << error.message() << '\n';
        return kFailed;
    }
}
