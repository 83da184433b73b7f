#pragma once
// The voice prompt type window (form form5): how the voice display unit announces a table caller's
// call (number language, initiator word, the phrase of each key), sent with command 0x14.

#include "commands/voice.h"
#include "ui/windowinteraction.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace callcfg {

class VoicePromptWindow : public QWidget {
    Q_OBJECT
public:
    // A window in its initial state; its write button sends the settings over `link`.
    VoicePromptWindow(Link& link, ChosenPort& port, WaitBoxes& waitBoxes,
                      QWidget* parent = nullptr);

    // The settings as the controls show them.
    VoiceInput input() const;

    QLabel* pronunciationLabel = nullptr;   // Label1 "数字号码"
    QComboBox* pronunciationList = nullptr; // Combo1
    QLabel* initiatorLabel = nullptr;       // Label2 "呼叫发起人"
    QComboBox* initiatorList = nullptr;     // Combo2
    QLabel* keyPromptsLabel = nullptr;      // Label4 "按键提示语"
    QLabel* key1Label = nullptr;            // Label3 "1键："
    QComboBox* key1List = nullptr;          // Combo3
    QLabel* key2Label = nullptr;            // Label5 "2键："
    QComboBox* key2List = nullptr;          // Combo4
    QCheckBox* key2Enabled = nullptr;       // Check1
    QLabel* key3Label = nullptr;            // Label6 "3键："
    QComboBox* key3List = nullptr;          // Combo5
    QCheckBox* key3Enabled = nullptr;       // Check2
    QPushButton* writeButton = nullptr;     // Command1 "写入"

private:
    WindowInteraction interaction_;
};

} // namespace callcfg
