#pragma once
// The option lines of the command line's help, laid out as Qt's own help lays them out (the
// names and value, then the description wrapped beside them within 80 columns), and the
// help's paragraphs wrapped as well, so that the headings and texts speak the tool's language.

#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <utility>

namespace callcfg {

// The columns a line of the help takes at most.
constexpr int kHelpWidth = 80;

// One line per option, or more where its description is wrapped; each ends in a line feed.
// A Chinese character takes two columns and a line may break between two of them.
QString optionLines(const QList<QCommandLineOption>& options);

// The same for any names, each with its description beside it.
QString columnLines(const QList<std::pair<QString, QString>>& entries);

// The text wrapped within kHelpWidth columns, each line ending in a line feed.
QString paragraph(const QString& text);

} // namespace callcfg
