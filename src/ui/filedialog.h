#pragma once
// The program's file dialogs: Qt's own (the same on every system, and driven by tests), made
// once per window, starting in `folder`; what they remember never reaches the user's settings
// (settingsshield.h).

#include <QString>

class QFileDialog;
class QWidget;

namespace callcfg {

QFileDialog* makeFileDialog(QWidget* parent, const QString& folder, const QString& objectName);

} // namespace callcfg
