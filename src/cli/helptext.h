#pragma once
// The option lines of the command line's help, laid out as Qt's own help lays them out (the
// names and value, then the description wrapped beside them within 80 columns), with the
// headings left to the help itself so that they speak the tool's language.

#include <QCommandLineOption>
#include <QList>
#include <QString>

namespace callcfg {

// One line per option, or more where its description is wrapped; each ends in a line feed.
// A Chinese character takes two columns and a line may break between two of them.
QString optionLines(const QList<QCommandLineOption>& options);

} // namespace callcfg
