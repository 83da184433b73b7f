// The main window's lower strip: the test window and its poll timer, then two rows of frames
// below it (urge units, receiver number, display-unit type, repeaters, voice prompts and the
// receiver's initialisation).

#include "mainwindow/mainwindow.h"

#include "mainwindow/framecontrols.h"
#include "ui/controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace callcfg {

using controls::button;
using controls::frame;
using controls::label;
using namespace framecontrols;

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
