#include "ui/controls.h"

#include "ui/fonts.h"
#include "ui/listchoice.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace callcfg::controls {

QWidget* placeWidget(QWidget* widget, const QString& name, QRect twips) {
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect twips) {
    return place(new QLabel(text, parent), name, twips);
}

QLineEdit* field(QWidget* parent, const QString& name, QRect twips) {
    return place(new QLineEdit(parent), name, twips);
}

QComboBox* list(QWidget* parent, const QString& name, const QStringList& items, QRect twips,
                bool editable) {
    auto* combo = place(new QComboBox(parent), name, twips);
    if (editable)
        ListChoice::track(combo);
    combo->addItems(items);
    return combo;
}

QCheckBox* check(QWidget* parent, const QString& name, QRect twips) {
    return place(new QCheckBox(parent), name, twips);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect twips) {
    auto* push = place(new QPushButton(caption, parent), name, twips);
    push->setAutoDefault(false);
    return push;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& title, QRect twips) {
    return place(new QGroupBox(title, parent), name, twips);
}

void setUpWindow(QWidget* window, const QString& name, const QString& caption, int widthTwips,
                 int heightTwips) {
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowModality(Qt::NonModal);
    window->setFont(namedFont(songFace, 9));
    window->setFixedSize(twipsSize(widthTwips, heightTwips));
}

} // namespace callcfg::controls
