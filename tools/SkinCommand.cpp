#include "tools/SkinCommand.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/IoError.h"
#include "platform/files/RegularFile.h"
#include "skins/SkinFields.h"
#include "skins/SkinFile.h"
#include "skins/SkinLimits.h"
#include "platform/files/ProgramFolder.h"
#include "tools/HelpOption.h"
#include "tools/TypedFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 2;

const char* const kUsage = "usage: vellamor-tool skin show FILE\n"
                           "       vellamor-tool skin new [--force] FILE [Name=Value ...]\n"
                           "       vellamor-tool skin set FILE Name=Value ...\n";

// A skin file holds one record, no more, no less.
Skin ReadSkin(const QString& fileName)
{
    std::optional<RegularFileReader> file = RegularFileReader::Open(fileName);
    if (!file)
        throw IoError(QStringLiteral("Cannot read %1: no such file").arg(fileName));
    const QByteArray bytes = file->read(qint64(kSkinRecordSize) + 1);
    if (bytes.size() != qsizetype(kSkinRecordSize))
        throw IoError(QStringLiteral("%1 is not a skin: a skin file holds %2 bytes, this one %3")
                          .arg(fileName)
                          .arg(kSkinRecordSize)
                          .arg(file->size()));
    std::array<std::uint8_t, kSkinRecordSize> record {};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return ReadSkinRecord(record);
}

void WriteSkin(const QString& fileName, const Skin& skin)
{
    const auto record = WriteSkinRecord(skin);
    WriteFileAtomically(fileName, QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size())));
}

// Applies every Name=Value; returns what does not fit or what the designer
// could not show, one line each, and the skin may then be partly changed
// (the caller does not write it).
QStringList ApplyAssignments(Skin& skin, const QStringList& assignments)
{
    QStringList assigned;
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            return { QStringLiteral("\"%1\" is not of the form Name=Value").arg(assignment) };
        const QString name = assignment.left(equals);
        const SkinField* field = FindSkinField(name);
        if (!field || !field->isSetting)
            return { QStringLiteral("%1 is not a field of the skin").arg(name) };
        if (const QString error = ParseSkinField(skin, *field, assignment.mid(equals + 1)); !error.isEmpty())
            return { error };
        assigned << name;
    }
    return assigned.isEmpty() ? QStringList() : SkinLimitProblems(skin, assigned);
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
    // The skin to read is found as a typed file is; a new one is made where
    // it is named.
    const QString fileName = action == u"new" ? arguments.value(1) : TypedFileOrAsTyped(arguments.value(1), ProgramFolder());
    const QStringList assignments = arguments.mid(2);
    if (action != u"show" && action != u"new" && action != u"set") {
        if (!action.isEmpty())
            err << "Unknown command \"skin " << action << "\"\n";
        err << kUsage;
        return kFailed;
    }
    if (fileName.isEmpty() || (action == u"show" && !assignments.isEmpty()) || (action == u"set" && assignments.isEmpty())) {
        err << kUsage;
        return kFailed;
    }

    try {
        if (action == u"show") {
            const Skin skin = ReadSkin(fileName);
            if (const QStringList problems = SkinLimitProblems(WithMiddlePositionsSet(skin)); !problems.isEmpty()) {
                err << fileName << " is not a skin the designer can show:\n  " << problems.join(QStringLiteral("\n  ")) << '\n';
                return kFailed;
            }
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
        if (const QStringList problems = ApplyAssignments(skin, assignments); !problems.isEmpty()) {
            err << problems.join(u'\n') << "\nNothing was written.\n";
            return kFailed;
        }
        WriteSkin(fileName, skin);
        return kDone;
    } catch (const IoError& error) {
        err << error.message() << '\n';
        return kFailed;
    }
}
