#include "mainwindow/framecontrols.h"

#include "ui/controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace callcfg::framecontrols {

QLineEdit* frameField(QWidget* frame, const QString& name, int left, int width) {
    return controls::field(frame, name, QRect(left, fieldTop, width, fieldHeight));
}

QComboBox* fixedList(QWidget* parent, const QString& name, const QStringList& items, QRect twips) {
    return controls::list(parent, name, items, twips, false);
}

QComboBox* typedList(QWidget* parent, const QString& name, const QStringList& items, QRect twips) {
    return controls::list(parent, name, items, twips, true);
}

QPushButton* frameButton(QWidget* frame, const QString& name, const QString& caption, int left,
                         int width) {
    return controls::button(frame, name, caption, QRect(left, buttonTop, width, buttonHeight));
}

QLabel* frameCaption(QWidget* frame, const QString& name, const QString& text, int left,
                     int width) {
    return controls::label(frame, name, text, QRect(left, captionTop, width, captionHeight));
}

void colourCaption(QWidget* widget, const QColor& colour) {
    const QPalette plain = widget->palette();
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QPalette own = child->palette();
        own.setColor(QPalette::WindowText, plain.color(QPalette::WindowText));
        child->setPalette(own);
    }
    QPalette coloured = plain;
    coloured.setColor(QPalette::WindowText, colour);
    widget->setPalette(coloured);
}

void makeNumberFrame(QWidget* parent, const NumberFrame& layout, QLineEdit** field,
                     QPushButton** button) {
    auto* box = controls::frame(parent, layout.name, layout.title, layout.twips);
    frameCaption(box, layout.labelName, layout.caption, 120, 900);
    *field = frameField(box, layout.fieldName, 120, layout.fieldWidth);
    *button = frameButton(box, layout.buttonName, layout.buttonCaption,
                          120 + layout.fieldWidth + 120, layout.buttonWidth);
    colourCaption(box, layout.colour);
}

} // namespace callcfg::framecontrols
