#pragma once
// Building blocks of the windows: controls placed by twips and named by their form names.

#include <QRect>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace callcfg::controls {

// Gives the widget its form name as objectName and its place in twips.
QWidget* placeWidget(QWidget* widget, const QString& name, QRect twips);
template <typename W> W* place(W* widget, const QString& name, QRect twips) {
    placeWidget(widget, name, twips);
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect twips);
QLineEdit* field(QWidget* parent, const QString& name, QRect twips);
// A drop-down holding `items`. An editable one never adds typed entries and has a position
// only when an entry was chosen (ListChoice).
QComboBox* list(QWidget* parent, const QString& name, const QStringList& items, QRect twips,
                bool editable);
QCheckBox* check(QWidget* parent, const QString& name, QRect twips);
// A button that Enter does not press by default.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect twips);
QGroupBox* frame(QWidget* parent, const QString& name, const QString& title, QRect twips);

// A top-level, non-modal window of a fixed client size with the windows' default font.
void setUpWindow(QWidget* window, const QString& name, const QString& caption, int widthTwips,
                 int heightTwips);

} // namespace callcfg::controls
