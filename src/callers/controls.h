#pragma once
// Building blocks of the caller windows: controls placed by twips, named by their form names.

#include <QRect>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace callcfg::controls {

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect twips);
// An editable drop-down holding `items`; typing never adds an entry.
QComboBox* list(QWidget* parent, const char* name, const QStringList& items, QRect twips);
QCheckBox* check(QWidget* parent, const char* name, QRect twips);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect twips);
QGroupBox* frame(QWidget* parent, const char* name, const QString& title, QRect twips);

// A top-level, non-modal window of a fixed client size with the windows' default font.
void setUpWindow(QWidget* window, const char* name, const QString& caption, int widthTwips,
                 int heightTwips);

} // namespace callcfg::controls
