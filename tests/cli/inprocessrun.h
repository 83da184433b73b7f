#pragma once
// The command line run in this process, its waits at two fifths (a read's periods of 80 ms:
// 40 ms was once missed under the sanitizers on a loaded two-core machine).

#include "cli/commandline.h"
#include "link/qtserialport.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

struct Run {
    int status = -1;
    QString out, err;
};

// `answers` stand for an installer at a terminal, one answer a question, the question going to
// stderr; a terminal shows progress unless `progress` says otherwise. No serial device is present
// unless `present` names some.
inline Run run(const QStringList& arguments, QStringList answers = {},
               const callcfg::DeviceLister& present = {},
               std::optional<bool> progress = std::nullopt) {
    Run result;
    QTextStream out(&result.out), err(&result.err);
    std::function<std::optional<QString>(const QString&)> ask;
    if (!answers.isEmpty())
        ask = [&](const QString& question) -> std::optional<QString> {
            err << question << '\n';
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        };
    callcfg::CommandLineEnvironment environment{
        out,
        err,
        [] { return std::make_unique<callcfg::QtSerialPort>(); },
        progress.value_or(bool(ask)),
        0.4,
        present,
        ask};
    result.status = callcfg::runSubcommand(QStringList{"callcfg"} + arguments, environment);
    out.flush();
    err.flush();
    return result;
}
