#include "cli/subcommandtable.h"

#include "cli/helptext.h"
#include "cli/options.h"
#include "cli/subcommands.h"
#include "link/texts.h"

#include <QTextStream>

#include <algorithm>

namespace callcfg {

const std::vector<Subcommand>& subcommands() {
    static const std::vector<Subcommand> all{
        {"backup", QT_TRANSLATE_NOOP("callcfg", "Read the host unit's memory into a backup file."),
         "--device DEV FILE [--force]",
         QT_TRANSLATE_NOOP("callcfg", "Read the host unit's memory and write it to FILE (8192 "
                                      "bytes). FILE is written only when the whole read "
                                      "succeeded. An existing FILE is replaced only with "
                                      "--force or when answered y on a terminal."),
         [] {
             return QList{deviceOption(), forceOption(), anyNameOption()};
         },
         runBackup},
        {"restore",
         QT_TRANSLATE_NOOP("callcfg", "Write a backup file into the host unit, then read it back."),
         "--device DEV FILE",
         QT_TRANSLATE_NOOP("callcfg", "Download FILE into the host unit, then read the host "
                                      "unit back and compare. It names the device first; on a "
                                      "terminal it reads the host unit, shows what FILE and the "
                                      "host unit hold and asks before it writes (exit status 1 "
                                      "when declined). Ctrl+C or SIGTERM finishes the block in "
                                      "flight and says which blocks are new."),
         [] {
             return QList{
                 deviceOption(),
                 flag("no-verify", QT_TRANSLATE_NOOP("callcfg", "Do not read the host unit back.")),
                 flag("yes", QT_TRANSLATE_NOOP("callcfg", "Write without asking, and without the "
                                                          "read of the host unit before it.")),
                 anyNameOption()};
         },
         runRestore},
        {"verify", QT_TRANSLATE_NOOP("callcfg", "Compare the host unit with a backup file."),
         "--device DEV FILE",
         QT_TRANSLATE_NOOP("callcfg",
                           "Read the host unit and compare it with FILE; nothing is changed."),
         [] {
             return QList{deviceOption(), anyNameOption()};
         },
         runVerify},
        {"show",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print a backup file's pagers, table callers, work mode or hex view."),
         "FILE [--pagers|--tables|--mode|--hex]",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print what the memory reader window shows for the image in FILE."),
         [] {
             return QList{
                 flag("pagers", QT_TRANSLATE_NOOP("callcfg", "The pager listing (the default).")),
                 flag("tables", QT_TRANSLATE_NOOP("callcfg", "The table caller listing.")),
                 flag("mode", QT_TRANSLATE_NOOP("callcfg", "The work mode.")),
                 flag("hex", QT_TRANSLATE_NOOP("callcfg", "The hex view.")), anyNameOption()};
         },
         runShow},
        {"diff", QT_TRANSLATE_NOOP("callcfg", "Print what differs between two backup files."),
         "A B",
         QT_TRANSLATE_NOOP("callcfg", "Print the differences between two backup files: pagers, "
                                      "table callers and settings, then the differing byte "
                                      "addresses."),
         [] { return QList{anyNameOption()}; }, runDiff},
        {"export",
         QT_TRANSLATE_NOOP("callcfg", "Print a backup file's pagers or table callers as CSV."),
         "FILE --pagers|--tables [--output CSV [--force]] | --template pagers|tables "
         "[--output CSV [--force]]",
         QT_TRANSLATE_NOOP("callcfg", "Print the pager or table caller entries as CSV (RFC "
                                      "4180, UTF-8, a header row). An existing CSV is replaced "
                                      "only with --force or when answered y on a terminal; a "
                                      "backup file (.cat, .CAT) and FILE itself never. The "
                                      "columns: 传呼号 地址码 极性 机型 速率 音调 (pager, address "
                                      "code, polarity, machine type, rate, tone) and 餐桌号 "
                                      "叮当鸟特征码 对应传呼号1 对应传呼号2 对应传呼号3 (table, "
                                      "feature code, pagers 1 to 3); program reads them in any "
                                      "order. --template writes them with a 备注 (remark) column "
                                      "and no row: a sheet to fill in."),
         [] {
             return QList{
                 flag("pagers", QT_TRANSLATE_NOOP("callcfg", "The pager entries.")),
                 flag("tables", QT_TRANSLATE_NOOP("callcfg", "The table caller entries.")),
                 QCommandLineOption{QStringLiteral("template"),
                                    Texts::tr("An empty sheet of pagers or tables instead, "
                                              "with no backup file."),
                                    QStringLiteral("KIND")},
                 QCommandLineOption{QStringLiteral("output"),
                                    Texts::tr("Write the CSV to the file CSV instead, for Excel "
                                              "and WPS to open with a double-click (UTF-8 with "
                                              "a byte-order mark); a name ending in .xlsx gets "
                                              "a workbook, address codes kept as text."),
                                    QStringLiteral("CSV")},
                 forceOption(),
                 anyNameOption()};
         },
         runExport},
        {"ports",
         QT_TRANSLATE_NOOP("callcfg",
                           "Print what each port opens; with --find, which leads to a host unit."),
         "[--find]",
         QT_TRANSLATE_NOOP("callcfg", "Print what COM1 to COM8, and every higher port present "
                                      "or mapped, open and what is there. With --find, ask each "
                                      "device present or mapped (USB adapters first; never one "
                                      "that another program holds; a Bluetooth port only when "
                                      "--port maps it; 2 s at most each) for the host memory's "
                                      "first block, to tell which ports lead to a host unit; exit "
                                      "status 0 when one answered, 1 when none did."),
         [] {
             return QList{
                 flag("find", QT_TRANSLATE_NOOP("callcfg",
                                                "Write one read request (the host "
                                                "memory's first block) to every device present or "
                                                "mapped and say which answered as a "
                                                "host unit."))};
         },
         runPorts},
        {"program",
         QT_TRANSLATE_NOOP("callcfg",
                           "Set pagers or table callers row by row from a CSV or .xlsx plan."),
         "--device DEV PLAN.csv [--verify] [--dry-run] [--from ROW]",
         QT_TRANSLATE_NOOP("callcfg",
                           "Set the pagers or table callers of PLAN.csv (a CSV file as export "
                           "writes it, or an .xlsx workbook: its first worksheet with a header) "
                           "row by row, each through the window's set pager or set "
                           "table caller command. For a table caller, press its service key "
                           "when asked. Exit status 0 every row done, 1 some rows refused, "
                           "declined or not pressed (or, with --verify, not in the unit), 2 "
                           "usage or file error, 3 communication failure."),
         [] {
             return QList{
                 deviceOption(),
                 flag("verify", QT_TRANSLATE_NOOP("callcfg", "Afterwards read the host unit back "
                                                             "and compare every row with it.")),
                 flag("dry-run",
                      QT_TRANSLATE_NOOP("callcfg", "Check every row and print it in words beside "
                                                   "the frame it would send, then a count; no "
                                                   "device needed.")),
                 QCommandLineOption{
                     QStringLiteral("from"),
                     Texts::tr("Start at row ROW of the file (the header is row 1)."),
                     QStringLiteral("ROW")}};
         },
         runProgram},
    };
    return all;
}

const Subcommand* findSubcommand(const QString& name) {
    for (const Subcommand& subcommand : subcommands())
        if (name == QLatin1String(subcommand.name))
            return &subcommand;
    return nullptr;
}

QString helpText(const QList<QCommandLineOption>& options, const QString& usage,
                 const QString& description) {
    return paragraph(Texts::tr("Usage: %1").arg(usage)) + paragraph(description) +
           QLatin1Char('\n') + Texts::tr("Options:") + QLatin1Char('\n') + optionLines(options);
}

QString mainHelp(const QList<QCommandLineOption>& options) {
    QString text = helpText(options, kProgram + QStringLiteral(" [options] [SUBCOMMAND ...]"),
                            Texts::tr("Programmes the host unit of a restaurant wireless "
                                      "calling system. Without a subcommand it opens the "
                                      "window."));
    QList<std::pair<QString, QString>> lines;
    for (const Subcommand& subcommand : subcommands())
        lines.append({QString::fromLatin1(subcommand.name), Texts::tr(subcommand.summary)});
    text += QLatin1Char('\n') + Texts::tr("Subcommands (callcfg SUBCOMMAND --help for each):") +
            QLatin1Char('\n') + columnLines(lines) + QLatin1Char('\n');
    text += paragraph(Texts::tr("Exit status: 0 done (identical, for verify and diff; a host unit "
                                "found, for ports --find), 1 the images differ (none found), 2 "
                                "usage or file error, 3 communication failure."));
    return text;
}

namespace {

// The edits that turn one word into the other: insertions, deletions and substitutions.
qsizetype editDistance(const QString& a, const QString& b) {
    std::vector<qsizetype> row(std::size_t(b.size()) + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[std::size_t(j)] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[std::size_t(j)];
            row[std::size_t(j)] =
                std::min({above + 1, row[std::size_t(j - 1)] + 1,
                          diagonal + (a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// The subcommand a mistyped name most likely meant: the nearest within two edits, or the one
// it begins; none when no name is that near.
QString nearestSubcommand(const QString& typed) {
    QString nearest;
    qsizetype best = 3;
    for (const Subcommand& subcommand : subcommands()) {
        const QString name = QString::fromLatin1(subcommand.name);
        const qsizetype distance = typed.size() >= 3 && name.startsWith(typed, Qt::CaseInsensitive)
                                       ? 1
                                       : editDistance(typed, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}

} // namespace

int noSuchSubcommand(const QString& typed, QTextStream& err) {
    const QString nearest = nearestSubcommand(typed);
    err << kProgram << ": "
        << (nearest.isEmpty()
                ? Texts::tr("no such subcommand: %1").arg(typed)
                : Texts::tr("no such subcommand: %1; did you mean %2?").arg(typed, nearest))
        << Qt::endl
        << Texts::tr("Try '%1 --help'.").arg(kProgram) << Qt::endl;
    return kUsageOrFileError;
}

} // namespace callcfg
