#pragma once
// The handheld caller window Form6: the place word announced for handheld calls by table
// number (Frame1, command 0x15) and by pager number (Frame2, command 0x16).

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace callcfg {

class Link;
class WaitBoxes;

class Form6 : public QWidget {
    Q_OBJECT
public:
    // A window in its initial state; each "写入" sends its own frame's choice over `link`.
    Form6(Link& link, WaitBoxes& waitBoxes, QWidget* parent = nullptr);

    QGroupBox* frame1 = nullptr; // "餐桌号方式"
    QComboBox* combo1 = nullptr;
    QLabel* label3 = nullptr;
    QPushButton* command1 = nullptr;

    QGroupBox* frame2 = nullptr; // "传呼号方式"
    QComboBox* combo2 = nullptr;
    QLabel* label1 = nullptr;
    QPushButton* command2 = nullptr;
};

} // namespace callcfg
