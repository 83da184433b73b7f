#include "callers/form5.h"

#include "callers/controls.h"
#include "callers/listposition.h"
#include "ui/commandroad.h"

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

} // namespace

Form5::Form5(Link& link, WaitBoxes& waitBoxes, QWidget* parent) : QWidget(parent, Qt::Window) {
    using namespace controls;
    setUpWindow(this, "form5", QStringLiteral("语音提示类型设置"), 5475, 2790);

    label1 = label(this, "Label1", "数字号码", {leftColumn, 300, columnWidth, labelHeight});
    combo1 = list(this, "Combo1", pronunciations, {leftColumn, 600, columnWidth, listHeight});
    label2 = label(this, "Label2", "呼叫发起人", {middleColumn, 300, columnWidth, labelHeight});
    combo2 = list(this, "Combo2", initiatorWords, {middleColumn, 600, columnWidth, listHeight});

    label4 = label(this, "Label4", "按键提示语", {keyLabels, 300, 1815, labelHeight});
    const auto keyRow = [&](int row, const char* labelName, const QString& caption,
                            const char* listName) {
        const int top = keyRows[row];
        QLabel* keyLabel = label(this, labelName, caption, {keyLabels, top + 30, 480, labelHeight});
        QComboBox* keyList = list(this, listName, phrases, {keyLists, top, 1215, listHeight});
        return std::pair{keyLabel, keyList};
    };
    std::tie(label3, combo3) = keyRow(0, "Label3", QStringLiteral("1键："), "Combo3");
    std::tie(label5, combo4) = keyRow(1, "Label5", QStringLiteral("2键："), "Combo4");
    std::tie(label6, combo5) = keyRow(2, "Label6", QStringLiteral("3键："), "Combo5");
    check1 = check(this, "Check1", {checkLeft, keyRows[1] + 15, 285, 270});
    check2 = check(this, "Check2", {checkLeft, keyRows[2] + 15, 285, 270});

    command1 = button(this, "Command1", "写入", {leftColumn, 1920, columnWidth, 495});

    // Initial state: 中文发音, 桌, 点菜, 加水, 买单, keys 2 and 3 on.
    combo1->setCurrentIndex(0);
    combo2->setCurrentIndex(1);
    combo3->setCurrentIndex(3);
    combo4->setCurrentIndex(4);
    combo5->setCurrentIndex(7);
    check1->setChecked(true);
    check2->setChecked(true);

    connect(command1, &QPushButton::clicked, this, [this, &link, &waitBoxes] {
        runCommand(this, link, waitBoxes, [this] { return encodeVoiceSettings(input()); });
    });
}

VoiceInput Form5::input() const {
    return {choiceOf(*combo1), choiceOf(*combo2),   choiceOf(*combo3),  choiceOf(*combo4),
            choiceOf(*combo5), check1->isChecked(), check2->isChecked()};
}

} // namespace callcfg
