#pragma once
// The voice prompt type window form5: how the voice display unit announces a table caller's
// call (number language, initiator word, the phrase of each key), sent with command 0x14.

#include "input/voice.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace callcfg {

class Link;
class WaitBoxes;

class Form5 : public QWidget {
    Q_OBJECT
public:
    // A window in its initial state; Command1 sends the settings over `link`.
    Form5(Link& link, WaitBoxes& waitBoxes, QWidget* parent = nullptr);

    // The settings as the controls show them.
    VoiceInput input() const;

    QLabel* label1 = nullptr;        // "数字号码"
    QComboBox* combo1 = nullptr;     // digit pronunciation
    QLabel* label2 = nullptr;        // "呼叫发起人"
    QComboBox* combo2 = nullptr;     // call initiator word
    QLabel* label4 = nullptr;        // "按键提示语"
    QLabel* label3 = nullptr;        // "1键："
    QComboBox* combo3 = nullptr;     // key 1 phrase
    QLabel* label5 = nullptr;        // "2键："
    QComboBox* combo4 = nullptr;     // key 2 phrase
    QCheckBox* check1 = nullptr;     // key 2 prompt enabled
    QLabel* label6 = nullptr;        // "3键："
    QComboBox* combo5 = nullptr;     // key 3 phrase
    QCheckBox* check2 = nullptr;     // key 3 prompt enabled
    QPushButton* command1 = nullptr; // "写入"
};

} // namespace callcfg
