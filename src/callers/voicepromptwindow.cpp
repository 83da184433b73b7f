#include "callers/voicepromptwindow.h"

#include "commands/commandrunner.h"
#include "ui/controls.h"
#include "ui/listchoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace callcfg {

namespace {

// In code order: an entry's position is the code the host unit stores.
const QStringList pronunciations{"中文发音", "英文发音"};
const QStringList initiatorWords{"号", "桌", "餐桌", "厅", "餐厅", "房", "包房", "床", "Table"};
const QStringList phrases{"取消",    "服务",  "需要服务", "点菜",    "加水", "酒水",
                          "茶水",    "买单",  "饮料",     "呼叫",    "紧急", "找您",
                          "Service", "Drink", "Bill",     "Callsfor"};

// Three columns: pronunciation, initiator word, key phrases (one row per key).
constexpr int leftColumn = 240, middleColumn = 1680, keyLabels = 3120, keyLists = 3600;
constexpr int columnWidth = 1215, listHeight = 300, labelHeight = 255;
constexpr int keyRows[] = {600, 1080, 1560}; // tops of the key lists
constexpr int checkLeft = 4935;

// The list's text and its position, as the voice settings take them.
ComboChoice choiceOf(const QComboBox& list) {
    return {list.currentText(), ListChoice::positionOf(list)};
}

} // namespace

VoicePromptWindow::VoicePromptWindow(Link& link, ChosenPort& port, WaitBoxes& waitBoxes,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), interaction_(this, port, waitBoxes) {
    using namespace controls;
    setUpWindow(this, "form5", QStringLiteral("语音提示类型设置"), 5475, 2790);

    pronunciationLabel =
        label(this, "Label1", "数字号码", {leftColumn, 300, columnWidth, labelHeight});
    pronunciationList =
        list(this, "Combo1", pronunciations, {leftColumn, 600, columnWidth, listHeight}, true);
    initiatorLabel =
        label(this, "Label2", "呼叫发起人", {middleColumn, 300, columnWidth, labelHeight});
    initiatorList =
        list(this, "Combo2", initiatorWords, {middleColumn, 600, columnWidth, listHeight}, true);

    keyPromptsLabel = label(this, "Label4", "按键提示语", {keyLabels, 300, 1815, labelHeight});
    const auto keyRow = [&](int row, const char* labelName, const QString& caption,
                            const char* listName) {
        const int top = keyRows[row];
        QLabel* keyLabel = label(this, labelName, caption, {keyLabels, top + 30, 480, labelHeight});
        QComboBox* keyList = list(this, listName, phrases, {keyLists, top, 1215, listHeight}, true);
        return std::pair{keyLabel, keyList};
    };
    std::tie(key1Label, key1List) = keyRow(0, "Label3", QStringLiteral("1键："), "Combo3");
    std::tie(key2Label, key2List) = keyRow(1, "Label5", QStringLiteral("2键："), "Combo4");
    std::tie(key3Label, key3List) = keyRow(2, "Label6", QStringLiteral("3键："), "Combo5");
    key2Enabled = check(this, "Check1", {checkLeft, keyRows[1] + 15, 285, 270});
    key3Enabled = check(this, "Check2", {checkLeft, keyRows[2] + 15, 285, 270});

    writeButton = button(this, "Command1", "写入", {leftColumn, 1920, columnWidth, 495});

    // Initial state: 中文发音, 桌, 点菜, 加水, 买单, keys 2 and 3 on.
    pronunciationList->setCurrentIndex(0);
    initiatorList->setCurrentIndex(1);
    key1List->setCurrentIndex(3);
    key2List->setCurrentIndex(4);
    key3List->setCurrentIndex(7);
    key2Enabled->setChecked(true);
    key3Enabled->setChecked(true);

    connect(writeButton, &QPushButton::clicked, this, [this, &link] {
        runCommand(link, interaction_, [this] { return encodeVoiceSettings(input()); });
    });
}

VoiceInput VoicePromptWindow::input() const {
    return {choiceOf(*pronunciationList), choiceOf(*initiatorList), choiceOf(*key1List),
            choiceOf(*key2List),          choiceOf(*key3List),      key2Enabled->isChecked(),
            key3Enabled->isChecked()};
}

} // namespace callcfg
