#pragma once
// The program's file dialogs: Qt's own (the same on every system, and driven by tests), made
// once per window, starting in `folder`; what they remember never reaches the user's settings
// (usersettingshidden.h).

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace callcfg {

QFileDialog* makeFileDialog(QWidget* parent, const QString& folder, const QString& objectName);

// Runs the dialog with `suggestedName` chosen (when not empty); the absolute path of the file
// the user accepted, or nothing when cancelled or none was chosen.
std::optional<QString> runFileDialog(QFileDialog& dialog, const QString& suggestedName);

} // namespace callcfg
