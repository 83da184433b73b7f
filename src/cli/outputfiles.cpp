#include "cli/outputfiles.h"

#include "cli/heldinterrupts.h"
#include "link/texts.h"
#include "memory/wholefile.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace callcfg {

bool mayReplace(const Invocation& call, const QString& path) {
    if (const auto notFile = notARegularFile(path)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *notFile));
        return false;
    }
    if (!QFileInfo::exists(path) || call.parser.isSet(QStringLiteral("force")))
        return true;
    if (!call.environment.ask) {
        call.tell(Texts::tr("%1 exists; nothing written (--force replaces it)").arg(path));
        return false;
    }
    if (call.agrees(Texts::tr("Overwrite %1? [y/N]").arg(path)))
        return true;
    call.tell(Texts::tr("nothing written; %1 is as it was").arg(path));
    return false;
}

std::optional<QString> outputWriteProblem(const QString& path) {
    const HeldInterrupts held; // while the trial file exists
    return wholeFileProblem(path);
}

std::optional<QString> writeOutputFile(const QString& path, const QByteArray& bytes) {
    const HeldInterrupts held; // while the new file is written beside the old one, or over it
    if (const auto failure = writeWholeFile(path, bytes))
        return failure->text();
    return std::nullopt;
}

} // namespace callcfg
