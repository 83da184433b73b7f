#include "callers/controls.h"

#include "ui/fonts.h"
#include "ui/listchoice.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace callcfg::controls {

namespace {

template <typename W> W* place(W* widget, const char* name, QRect twips) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

} // namespace

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect twips) {
    return place(new QLabel(text, parent), name, twips);
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& items, QRect twips) {
    auto* combo = place(new QComboBox(parent), name, twips);
    ListChoice::track(combo);
    combo->addItems(items);
    return combo;
}

QCheckBox* check(QWidget* parent, const char* name, QRect twips) {
    return place(new QCheckBox(parent), name, twips);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect twips) {
    auto* push = place(new QPushButton(caption, parent), name, twips);
    push->setAutoDefault(false);
    return push;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& title, QRect twips) {
    return place(new QGroupBox(title, parent), name, twips);
}

void setUpWindow(QWidget* window, const char* name, const QString& caption, int widthTwips,
                 int heightTwips) {
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(caption);
    window->setWindowModality(Qt::NonModal);
    window->setFont(namedFont(songFace, 9));
    window->setFixedSize(twipsSize(widthTwips, heightTwips));
}

} // namespace callcfg::controls
