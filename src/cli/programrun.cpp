#include "cli/programrun.h"

#include "link/texts.h"
#include "memory/imagedecoding.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTextStream>

namespace callcfg {

namespace {

QString pagerWords(const QString& number, const QString& address, bool positive,
                   std::optional<std::uint8_t> modeIndex, int tone) {
    const auto kind =
        modeIndex && *modeIndex < 12 ? std::optional(pagerKindsByMode()[*modeIndex]) : std::nullopt;
    return Texts::tr("pager %1, address code %2, %3, %4, %5, %6")
        .arg(number, address, positive ? Texts::tr("positive") : Texts::tr("negative"),
             kind ? kind->machineType.toString() : QStringLiteral("?"),
             kind ? kind->rate.toString() : QStringLiteral("?"), toneWord(tone));
}

QString tableWords(const QString& table, const std::array<QString, 3>& pagers) {
    QStringList bound;
    for (const QString& pager : pagers)
        bound << (pager.isEmpty() ? noPagerWord() : pager);
    return Texts::tr("table %1, pagers %2, %3, %4").arg(table, bound[0], bound[1], bound[2]);
}

} // namespace

TerminalRows::TerminalRows(const Invocation& call, std::function<bool()> stopAsked)
    : call_(call), stopAsked_(std::move(stopAsked)) {
    clock_.start();
}

// Clears the progress line before a line on stderr or stdout.
void TerminalRows::clearProgress() {
    if (call_.environment.progress)
        call_.environment.err << "\r\x1b[K" << Qt::flush;
}

void TerminalRows::starting(const PlanRow& row, int position, int total) {
    row_ = &row;
    if (call_.environment.progress)
        call_.environment.err
            << '\r'
            << Texts::tr("row %1 of %2, %3 s").arg(position).arg(total).arg(clock_.elapsed() / 1000)
            << Qt::flush;
}

void TerminalRows::showWaitBox(WaitBoxKind kind) {
    if (kind != WaitBoxKind::Caller || !row_)
        return;
    clearProgress();
    call_.environment.err
        << Texts::tr("Press the service key of the caller of table %1").arg(planRowNumber(*row_))
        << Qt::endl;
}

void TerminalRows::show(const Verdict& verdict) {
    clearProgress();
    if (row_)
        call_.environment.out << rowLine(*row_, verdict.box ? verdict.box->text : QString())
                              << Qt::endl;
}

void TerminalRows::lost(const QString& message) {
    call_.tell(message);
}

// On a terminal the installer decides; otherwise (no one to ask) the row is skipped.
NotPressedChoice TerminalRows::notPressed(const PlanRow&) {
    if (!call_.environment.ask)
        return NotPressedChoice::Skip;
    for (;;) {
        const auto answer = call_.environment.ask(Texts::tr("r retry / s skip / q quit"));
        const QString choice = answer ? answer->trimmed().toLower() : QStringLiteral("q");
        if (choice == QLatin1String("r"))
            return NotPressedChoice::Retry;
        if (choice == QLatin1String("s"))
            return NotPressedChoice::Skip;
        if (choice == QLatin1String("q"))
            return NotPressedChoice::Stop;
    }
}

QString rowLine(const PlanRow& row, const QString& outcome) {
    return std::holds_alternative<PagerInput>(row.input)
               ? Texts::tr("row %1: pager %2: %3").arg(row.row).arg(planRowNumber(row), outcome)
               : Texts::tr("row %1: table %2: %3").arg(row.row).arg(planRowNumber(row), outcome);
}

QString rowWords(const PlanRow& row, const Encoded& encoded) {
    const auto* prepared = std::get_if<Prepared>(&encoded);
    if (const auto* pager = std::get_if<PagerInput>(&row.input)) {
        if (!prepared)
            return pagerWords(pager->number, pager->address, pager->polarity == 1,
                              pagerModeIndex(pager->machineType, pager->rate), pager->tone);
        // The set pager request's data: number in two base-100 digits, mode index in two
        // decimal digits, polarity, seven address digits, tone.
        const std::vector<std::uint8_t>& d = prepared->data;
        QString address;
        for (int i = 5; i < 12; ++i)
            address += QString::number(d[i]);
        return pagerWords(QString::number(d[0] * 100 + d[1]), address, d[4] == 1,
                          std::uint8_t(d[2] * 10 + d[3]), d[12]);
    }
    if (!prepared) {
        const auto& table = std::get<TableCallerInput>(row.input);
        return tableWords(table.table, table.pagers);
    }
    // The set table caller request's data: receiver, table number high and low, three pagers.
    const std::vector<std::uint8_t>& d = prepared->data;
    std::array<QString, 3> pagers;
    for (std::size_t i = 0; i < pagers.size(); ++i)
        pagers[i] = d[3 + i] == memorymap::kNoPager ? QString() : QString::number(d[3 + i]);
    return tableWords(QString::number(d[1] * 256 + d[2]), pagers);
}

QString shellQuoted(const QString& word, Shell shell) {
    if (shell == Shell::Cmd) {
        static const QRegularExpression special(QStringLiteral("[\\s&|<>^()]"));
        return word.isEmpty() || word.contains(special) ? QLatin1Char('"') + word + QLatin1Char('"')
                                                        : word;
    }
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString resumeCommand(const Invocation& call, int row, const QString& path, Shell shell) {
    QStringList words{QStringLiteral("callcfg"), QStringLiteral("program")};
    for (const QString& mapping : call.portMappings)
        words << QStringLiteral("--port") << shellQuoted(mapping, shell);
    if (!call.logFile.isEmpty())
        words << QStringLiteral("--log") << shellQuoted(call.logFile, shell);
    words << QStringLiteral("--device")
          << shellQuoted(call.parser.value(QStringLiteral("device")), shell)
          << QStringLiteral("--from") << QString::number(row);
    if (call.parser.isSet(QStringLiteral("verify")))
        words << QStringLiteral("--verify");
    if (path.startsWith(QLatin1Char('-')))
        words << QStringLiteral("--"); // the file, not an option
    words << shellQuoted(path, shell);
    return words.join(QLatin1Char(' '));
}

} // namespace callcfg
