#pragma once
// The files the command line writes (a backup, an exported sheet). An existing file is replaced
// only with the installer's say (--force, or y to the question on a terminal), and what is no
// regular file never. A file is found writable before the host unit is read, and written only
// at the end, whole, with interrupts held meanwhile, so that a failed or interrupted command
// leaves neither a file nor a temporary file behind.

#include "cli/subcommands.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace callcfg {

// True when the command may write `path`: nothing stands there, or a regular file that the
// installer agreed to replace; false after a message otherwise.
bool mayReplace(const Invocation& call, const QString& path);

// Why no file can be written at `path`, found without changing what is there; nothing when it
// can be (beside the old file, or over it in place where the folder allows no new file and
// the old file may be read and written).
std::optional<QString> outputWriteProblem(const QString& path);

// Makes `path` hold exactly `bytes`; why not when it cannot (the system's reason), with the
// old file as it was: untouched, or, written in place, its old bytes put back (the text says
// when even that failed and the old file is damaged).
std::optional<QString> writeOutputFile(const QString& path, const QByteArray& bytes);

} // namespace callcfg
