// The controls of the main window with their geometry in twips. The upper strip keeps the
// form's own positions; the lower strip is arranged in rows below the test window so that no
// two controls overlap, and the maintenance controls sit between the upper strip and the
// test window, where the form keeps its hidden controls. Each control's objectName, its form
// name, is written here, where the control is made.

#include "mainwindow/mainwindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace callcfg {

namespace {

// The parts the frames are built of, in twips: captions on one row inside a frame, fields and
// lists below them, buttons beside, and the frames of one number field and one button.
const QColor blue(0, 0, 255);
const QColor darkRed(192, 0, 0);

// Inside a frame: captions on one row, fields and lists below them, buttons beside.
constexpr int captionTop = 300, fieldTop = 570, buttonTop = 540;
constexpr int captionHeight = 255, fieldHeight = 300, buttonHeight = 375;

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

// Colours a label's text or a frame's caption; the controls inside a frame keep the window's
// text colour.
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

} // namespace

using controls::button;
using controls::frame;
using controls::label;

void MainWindow::buildUpperStrip() {
    const QFont kai = namedFont(kaiFace, 9);
    portLabel = label(this, "Label9", "通讯端口", {480, 120, 1095, 255});
    portList =
        typedList(this, "Combo5", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"},
                  {1680, 90, 1095, 300});
    openPortButton = button(this, "Command15", "打开", {2880, 90, 975, 315});
    portStatusCaption = label(this, "Label10", "端口状态：", {4320, 120, 1335, 255});
    portStatusLabel = label(this, "Label11", "串口关闭", {5760, 120, 2175, 255});
    for (QLabel* portRowLabel : {portLabel, portStatusCaption, portStatusLabel})
        portRowLabel->setFont(kai);

    colourCaption(label(this, "LabelWorkMode", "工作模式", {480, 915, 975, 255}), blue);
    workModeList =
        fixedList(this, "Combo4", {"单键模式1", "多键模式", "单键模式0"}, {1560, 870, 1215, 300});
    writeWorkModeButton = button(this, "Command11", "写入", {3000, 810, 975, 375});
    colourCaption(label(this, "LabelDataBackup", "数据备份", {5040, 915, 975, 255}), blue);
    memoryReaderButton = button(this, "Command12", "打开", {6120, 810, 975, 375});

    auto* pager = frame(this, "FramePager", "设置传呼机", {360, 1560, 7575, 975});
    const struct {
        const char* label;
        const char* caption;
        int left, width;
    } pagerColumns[] = {
        {"LabelPagerNumber", "传呼号", 150, 675}, {"LabelAddressCode", "地址码", 975, 1050},
        {"LabelMachineType", "机型", 2175, 1275}, {"LabelPolarity", "极性", 3600, 675},
        {"LabelRate", "速率", 4425, 825},         {"LabelTone", "音调", 5400, 975}};
    for (const auto& column : pagerColumns)
        frameCaption(pager, column.label, column.caption, column.left, column.width);
    QLineEdit** pagerFields[] = {&pagerNumberEdit, &addressCodeEdit};
    for (int i = 0; i < 2; ++i)
        *pagerFields[i] = frameField(pager, QString("Text1(%1)").arg(i), pagerColumns[i].left,
                                     pagerColumns[i].width);
    const QStringList pagerLists[4] = {{"数字标准", "数字新型", "中文字符", "英文"},
                                       {"反", "正"},
                                       {"512", "1200", "2400"},
                                       {"音调1", "音调2", "音调3", "音调4"}};
    QComboBox** pagerListFields[] = {&machineTypeList, &polarityList, &rateList, &toneList};
    for (int i = 0; i < 4; ++i) {
        const auto& column = pagerColumns[i + 2];
        *pagerListFields[i] = fixedList(pager, QString("Combo1(%1)").arg(i), pagerLists[i],
                                        {column.left, fieldTop, column.width, fieldHeight});
    }
    setPagerButton = frameButton(pager, "Command1", "写入", 6525, 825);
    colourCaption(pager, blue);

    auto* table = frame(this, "FrameTable", "设置餐桌呼叫器", {360, 2880, 5055, 975});
    const struct {
        const char* label;
        const char* caption;
        int left;
    } tableColumns[] = {{"LabelTableNumber", "餐桌号", 150},
                        {"LabelTableReceiver", "接收器号码", 150},
                        {"LabelPager1", "传呼号1", 1125},
                        {"LabelPager2", "传呼号2", 2100},
                        {"LabelPager3", "传呼号3", 3075}};
    QLineEdit** tableFields[] = {&tableNumberEdit, &tableReceiverEdit, &tablePagerEdits[0],
                                 &tablePagerEdits[1], &tablePagerEdits[2]};
    QLabel* captions[5] = {};
    for (int i = 0; i < 5; ++i) {
        captions[i] = frameCaption(table, tableColumns[i].label, tableColumns[i].caption,
                                   tableColumns[i].left, 825);
        *tableFields[i] = frameField(table, QString("Text3(%1)").arg(i), tableColumns[i].left, 825);
    }
    // The receiver number box is never shown.
    captions[1]->hide();
    tableReceiverEdit->hide();
    setTableButton = frameButton(table, "Command3", "写入", 4050, 825);
    colourCaption(table, blue);

    initialiseHostButton = button(this, "Command7", "初始化主机", {6120, 3120, 1335, 495});
    makeNumberFrame(this,
                    {"FrameDeletePager",
                     "删除传呼机",
                     {360, 4080, 2295, 975},
                     "LabelDeletePager",
                     "传呼号",
                     "Text4",
                     "Command4",
                     "删除",
                     1050,
                     825,
                     darkRed},
                    &deletePagerEdit, &deletePagerButton);
    makeNumberFrame(this,
                    {"FrameDeleteTable",
                     "删除餐桌呼叫器",
                     {3120, 4080, 2295, 975},
                     "LabelDeleteTable",
                     "餐桌号",
                     "Text6",
                     "Command5",
                     "删除",
                     1050,
                     825,
                     darkRed},
                    &deleteTableEdit, &deleteTableButton);
    exitButton = button(this, "Command9", "退出(&x)", {6120, 4200, 1335, 495});
}

void MainWindow::buildMaintenanceControls() {
    // One row between the upper strip (ends at 5055) and the bottom of the window after the
    // test mode (client area ends at 5610), so that the stop button stays in view.
    auto* transmitter =
        label(this, "LabelTransmitterFrequency", "发射机频率  （MHZ）", {360, 5100, 1140, 450});
    transmitterFrequencyEdit = controls::field(this, "Text7", {1560, 5250, 900, 300});
    writeTransmitterButton = button(this, "Command14", "写入", {2520, 5205, 675, 375});
    auto* receiver =
        label(this, "LabelReceiverFrequency", "接收器频率   （MHZ）", {3375, 5100, 1140, 450});
    receiverFrequencyList = typedList(
        this, "Combo2", {"314.2", "314.4", "314.6", "314.8", "315.0", "315.2", "315.4", "315.6"},
        {4575, 5250, 930, 300});
    auto* receiverNumber =
        label(this, "LabelFrequencyReceiver", "接收器号码", {5565, 5025, 900, 225});
    frequencyReceiverEdit = controls::field(this, "Text10", {5565, 5250, 900, 300});
    writeReceiverFrequencyButton = button(this, "Command13", "写入", {6525, 5205, 675, 375});
    testButton = button(this, "Command8", "测试(&t)", {7290, 5205, 795, 375});
    unusedWriteButton = button(this, "Command18", "写入", {5760, 5205, 735, 375});
    for (QLabel* frequencyLabel : {transmitter, receiver}) {
        frequencyLabel->setWordWrap(true);
        colourCaption(frequencyLabel, blue);
    }
    maintenanceLabels_ = {transmitter, receiver, receiverNumber};
}

// The lower strip: the test window and its poll timer, then two rows of frames
// below it (urge units, receiver number, display-unit type, repeaters, voice prompts and the
// receiver's initialisation).
void MainWindow::buildLowerStrip() {
    testWindowLabel = label(this, "Label7", "测试窗口", {360, 5760, 975, 240});
    testWindow = controls::place(new QPlainTextEdit(this), "Text8", {360, 6000, 7575, 2600});
    testWindow->setReadOnly(true);
    testWindow->setLineWrapMode(QPlainTextEdit::NoWrap);
    testWindow->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    testWindow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pollTimer = new QTimer(this);
    pollTimer->setObjectName("Timer1");
    pollTimer->setInterval(10);

    // Two rows of frames under the test window, four 1815-twips columns wide.
    constexpr int rowA = 8715, rowB = 9810, frameWidth = 1815, frameHeight = 975;
    constexpr int columns[] = {360, 2295, 4230, 6165};
    makeNumberFrame(this,
                    {"FrameSetUrge",
                     "设置催菜器",
                     {columns[0], rowA, frameWidth, frameHeight},
                     "LabelSetUrge",
                     "催菜器号码",
                     "Text11",
                     "Command19",
                     "写入",
                     825,
                     675,
                     blue},
                    &setUrgeEdit, &setUrgeButton);
    makeNumberFrame(this,
                    {"FrameDeleteUrge",
                     "删除催菜器",
                     {columns[1], rowA, frameWidth, frameHeight},
                     "LabelDeleteUrge",
                     "催菜器号码",
                     "Text5",
                     "Command10",
                     "删除",
                     825,
                     675,
                     darkRed},
                    &deleteUrgeEdit, &deleteUrgeButton);
    makeNumberFrame(this,
                    {"FrameReceiverNumber",
                     "设置接收器号码",
                     {columns[2], rowA, frameWidth, frameHeight},
                     "LabelReceiverNumber",
                     "接收器号码",
                     "Text2",
                     "Command2",
                     "写入",
                     825,
                     675,
                     blue},
                    &receiverNumberEdit, &setReceiverNumberButton);
    auto* display =
        frame(this, "FrameDisplayType", "信息机类型", {columns[3], rowA, frameWidth, frameHeight});
    displayTypeList =
        fixedList(display, "Combo3", {"数字", "语音"}, {120, fieldTop, 825, fieldHeight});
    writeDisplayTypeButton = frameButton(display, "Command20", "写入", 1065, 675);

    auto* repeater =
        frame(this, "FrameRepeater", "增强器内容", {columns[0], rowB, frameWidth, frameHeight});
    writeRepeaterButton = frameButton(repeater, "Command16", "写入", 120, 720);
    deleteRepeaterButton = frameButton(repeater, "Command17", "删除", 960, 720);
    auto* voice =
        frame(this, "FrameVoicePrompt", "语音提示类型设置", {columns[1], rowB, 3750, frameHeight});
    voicePromptsButton = frameButton(voice, "Command21", "叮当鸟呼叫器", 150, 1650);
    handheldButton = frameButton(voice, "Command22", "手持呼叫器", 1950, 1650);
    colourCaption(voice, blue);
    initialiseReceiverButton =
        button(this, "Command6", "初始化接收器", {columns[3], rowB + 240, 1335, 495});
}

} // namespace callcfg
