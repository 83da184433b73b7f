#pragma once
// The handheld caller window (form Form6): the place word announced for handheld calls by table
// number (Frame1, command 0x15) and by pager number (Frame2, command 0x16).

#include "ui/windowinteraction.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace callcfg {

class HandheldCallerWindow : public QWidget {
    Q_OBJECT
public:
    // A window in its initial state; each write button sends its own frame's choice.
    HandheldCallerWindow(Link& link, ChosenPort& port, WaitBoxes& waitBoxes,
                         QWidget* parent = nullptr);

    QGroupBox* byTableFrame = nullptr;         // Frame1 "餐桌号方式"
    QComboBox* byTablePlaceList = nullptr;     // Combo1
    QLabel* byTableText = nullptr;             // Label3
    QPushButton* writeByTableButton = nullptr; // Command1

    QGroupBox* byPagerFrame = nullptr;         // Frame2 "传呼号方式"
    QComboBox* byPagerPlaceList = nullptr;     // Combo2
    QLabel* byPagerText = nullptr;             // Label1
    QPushButton* writeByPagerButton = nullptr; // Command2

private:
    WindowInteraction interaction_;
};

} // namespace callcfg
