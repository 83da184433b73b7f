#pragma once
// The parts the main window's frames are built of, in twips: captions on one row inside a
// frame, fields and lists below them, buttons beside, and the frames of one number field and
// one button.

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace callcfg::framecontrols {

inline const QColor blue(0, 0, 255);
inline const QColor darkRed(192, 0, 0);

// Inside a frame: captions on one row, fields and lists below them, buttons beside.
constexpr int captionTop = 300, fieldTop = 570, buttonTop = 540;
constexpr int captionHeight = 255, fieldHeight = 300, buttonHeight = 375;

QLineEdit* frameField(QWidget* frame, const QString& name, int left, int width);
QComboBox* fixedList(QWidget* parent, const QString& name, const QStringList& items, QRect twips);
QComboBox* typedList(QWidget* parent, const QString& name, const QStringList& items, QRect twips);
QPushButton* frameButton(QWidget* frame, const QString& name, const QString& caption, int left,
                         int width);
QLabel* frameCaption(QWidget* frame, const QString& name, const QString& text, int left, int width);

// Colours a label's text or a frame's caption; the controls inside a frame keep the
// window's text colour.
void colourCaption(QWidget* widget, const QColor& colour);

// A frame with one number field under its caption and one button: the delete frames and the
// urge unit and receiver number frames.
struct NumberFrame {
    const char* name;
    const char* title;
    QRect twips;
    const char* labelName;
    const char* caption;
    const char* fieldName;
    const char* buttonName;
    const char* buttonCaption;
    int fieldWidth;
    int buttonWidth;
    QColor colour;
};

void makeNumberFrame(QWidget* parent, const NumberFrame& layout, QLineEdit** field,
                     QPushButton** button);

} // namespace callcfg::framecontrols
