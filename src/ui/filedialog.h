#pragma once
// The program's file dialogs: Qt's own (the same on every system, and driven by tests), made
// once per window, starting in the folder dialogStartFolder chooses; what they remember never
// reaches the user's settings (usersettingshidden.h).

#include <QString>
#include <QStringList>

#include <optional>

class QFileDialog;
class QWidget;

namespace callcfg {

// The folder a dialog starts in: `current`, unless it is one of `programFolders` or lies
// under one (the Start menu starts the tool in its installation folder, where the user may not
// write), then `documents` when there is one. Decided from the paths alone: nothing is created.
QString dialogStartFolder(const QString& current, const QStringList& programFolders,
                          const QString& documents);

// A dialog starting in dialogStartFolder's choice for the current folder and the user's
// documents.
QFileDialog* makeFileDialog(QWidget* parent, const QString& objectName);

// Runs the dialog with `suggestedName` chosen (when not empty); the absolute path of the file
// the user accepted, or nothing when cancelled or none was chosen.
std::optional<QString> runFileDialog(QFileDialog& dialog, const QString& suggestedName);

} // namespace callcfg
