// The subcommands that work on backup files alone: show, diff and export.

#include "cli/outputfiles.h"
#include "cli/subcommands.h"
#include "link/texts.h"
#include "memory/backupfile.h"
#include "memory/csvexport.h"
#include "memory/hexview.h"
#include "memory/imagediff.h"
#include "memory/listing.h"
#include "memory/workbookexport.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace callcfg {

namespace {

// The window's text as terminal lines: LF line ends, a line end after the last line.
void printLines(QTextStream& out, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    out << text;
    out.flush();
}

// The one choice among `flags` that is set, or the default; nothing after a usage error.
std::optional<QString> choiceOf(const Invocation& call, const QStringList& flags,
                                const QString& fallback) {
    QStringList set;
    for (const QString& flag : flags)
        if (call.parser.isSet(flag))
            set << flag;
    if (set.size() > 1) {
        call.usageError(Texts::tr("choose one of --%1").arg(flags.join(QStringLiteral(", --"))));
        return std::nullopt;
    }
    if (set.isEmpty() && fallback.isEmpty()) {
        call.usageError(Texts::tr("choose one of --%1").arg(flags.join(QStringLiteral(", --"))));
        return std::nullopt;
    }
    return set.isEmpty() ? fallback : set.first();
}

// The one file's image and the listing chosen among `flags`; nothing after a message.
std::optional<std::pair<HostMemory, QString>>
imageAndChoice(const Invocation& call, const QStringList& flags, const QString& fallback) {
    if (!call.expectFiles(1))
        return std::nullopt;
    const auto what = choiceOf(call, flags, fallback);
    if (!what)
        return std::nullopt;
    const auto memory = loadBackupFile(call, call.files().first());
    if (!memory)
        return std::nullopt;
    return std::pair{*memory, *what};
}

} // namespace

bool backupNameAccepted(const Invocation& call, const QString& path, bool saving) {
    if (hasBackupExtension(path) || call.parser.isSet(QStringLiteral("any-name")))
        return true;
    call.tell(
        saving ? Texts::tr("%1: the file name must end in .cat or .CAT (--any-name takes "
                           "any name)")
                     .arg(path)
               : Texts::tr("%1: choose a .cat or .CAT file (--any-name takes any name)").arg(path));
    return false;
}

std::optional<HostMemory> loadBackupFile(const Invocation& call, const QString& path) {
    if (!backupNameAccepted(call, path, false))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        call.tell(Texts::tr("cannot open %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    HostMemory memory{};
    const qint64 got = file.read(reinterpret_cast<char*>(memory.data()), qint64(memory.size()));
    if (got < 0) {
        call.tell(Texts::tr("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (got < qint64(memory.size())) {
        call.tell(Texts::tr("%1 holds %2 bytes; a backup holds %3")
                      .arg(path)
                      .arg(got)
                      .arg(memory.size()));
        return std::nullopt;
    }
    return memory;
}

int runShow(const Invocation& call) {
    const auto chosen = imageAndChoice(call,
                                       {QStringLiteral("pagers"), QStringLiteral("tables"),
                                        QStringLiteral("mode"), QStringLiteral("hex")},
                                       QStringLiteral("pagers"));
    if (!chosen)
        return kUsageOrFileError;
    const auto& [image, what] = *chosen;
    QTextStream& out = call.environment.out;
    if (what == QLatin1String("tables")) {
        const auto listing = tableListing(image);
        // No table callers is a listing too, told where the pager listing tells it has none.
        printLines(out, listing.value_or(QStringLiteral("没有餐桌号！")));
    } else if (what == QLatin1String("mode")) {
        printLines(out, workModeText(image));
    } else if (what == QLatin1String("hex")) {
        printLines(out, hexDump(image));
    } else {
        printLines(out, pagerListing(image));
    }
    return kDone;
}

int runDiff(const Invocation& call) {
    if (!call.expectFiles(2))
        return kUsageOrFileError;
    const auto a = loadBackupFile(call, call.files()[0]);
    const auto b = a ? loadBackupFile(call, call.files()[1]) : std::nullopt;
    if (!a || !b)
        return kUsageOrFileError;
    const QStringList addresses = differingAddresses(*a, *b);
    QTextStream& out = call.environment.out;
    if (addresses.isEmpty()) {
        printLines(out, Texts::tr("identical"));
        return kDone;
    }
    for (const QString& line : describeDifferences(*a, *b))
        out << line << '\n';
    out << Texts::tr("differing bytes (%1): %2")
               .arg(compareMemory(*a, *b)->bytes)
               .arg(addresses.join(QLatin1Char(' ')))
        << '\n';
    out.flush();
    return kDiffer;
}

namespace {

// An export's --output that is refused whatever the flags: a backup file's name, or the input
// itself (a backup once turned into a sheet is lost). The message, or nothing.
std::optional<QString> exportTargetRefusal(const Invocation& call, const QString& path) {
    if (hasBackupExtension(path))
        return Texts::tr("%1 is a backup file's name: export never writes a backup file").arg(path);
    for (const QString& input : call.files())
        if (QFileInfo(input) == QFileInfo(path))
            return Texts::tr("%1 is the file exported from: export never writes over it").arg(path);
    return std::nullopt;
}

// The sheet --template names, with no backup file and no listing chosen; nothing after a message.
std::optional<std::vector<QStringList>> templateSheet(const Invocation& call) {
    const QString kind = call.parser.value(QStringLiteral("template"));
    if (kind != QLatin1String("pagers") && kind != QLatin1String("tables")) {
        call.usageError(Texts::tr("--template takes pagers or tables, got: %1").arg(kind));
        return std::nullopt;
    }
    if (call.parser.isSet(QStringLiteral("pagers")) ||
        call.parser.isSet(QStringLiteral("tables"))) {
        call.usageError(Texts::tr("--template makes an empty sheet: no --pagers or --tables"));
        return std::nullopt;
    }
    if (!call.expectFiles(0))
        return std::nullopt;
    return templateRows(kind == QLatin1String("tables"));
}

// The rows to export, the header first; nothing after a message.
std::optional<std::vector<QStringList>> exportedSheet(const Invocation& call) {
    if (call.parser.isSet(QStringLiteral("template")))
        return templateSheet(call);
    const auto chosen =
        imageAndChoice(call, {QStringLiteral("pagers"), QStringLiteral("tables")}, QString());
    if (!chosen)
        return std::nullopt;
    const auto& [image, what] = *chosen;
    return what == QLatin1String("tables") ? tableRows(image) : pagerRows(image);
}

} // namespace

int runExport(const Invocation& call) {
    const auto rows = exportedSheet(call);
    if (!rows)
        return kUsageOrFileError;
    if (!call.parser.isSet(QStringLiteral("output"))) {
        call.environment.out << csvOfRows(*rows);
        call.environment.out.flush();
        return kDone;
    }
    const QString path = call.parser.value(QStringLiteral("output"));
    if (const auto refusal = exportTargetRefusal(call, path)) {
        call.tell(*refusal);
        return kUsageOrFileError;
    }
    if (!mayReplace(call, path))
        return kUsageOrFileError;
    const bool tables = rows->front().value(0) == tableCsvColumns().value(0);
    const QByteArray bytes = isWorkbookName(path)
                                 ? workbookOfRows(*rows, tables ? QStringLiteral("餐桌呼叫器")
                                                                : QStringLiteral("传呼机"))
                                 : spreadsheetCsvBytes(csvOfRows(*rows));
    if (const auto problem = writeOutputFile(path, bytes)) {
        call.tell(Texts::tr("cannot write %1: %2").arg(path, *problem));
        return kUsageOrFileError;
    }
    call.tell(Texts::tr("%1 row(s) and the header written to %2").arg(rows->size() - 1).arg(path));
    return kDone;
}

} // namespace callcfg
