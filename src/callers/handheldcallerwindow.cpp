#include "callers/handheldcallerwindow.h"

#include "commands/commandrunner.h"
#include "commands/voice.h"
#include "ui/controls.h"
#include "ui/listchoice.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace callcfg {

namespace {

// In code order: kitchen, front desk, service desk.
const QStringList placeWords{"厨房", "总台", "服务台"};
const QString announcement = QStringLiteral("找您取（去）**桌");

constexpr int frameLeft = 240, frameWidth = 5100, frameHeight = 1215;
constexpr int rowTop = 480; // inside a frame

struct Row {
    QGroupBox* frame;
    QComboBox* list;
    QLabel* text;
    QPushButton* send;
};

Row frameRow(QWidget* window, const char* frameName, const QString& title, int top,
             const char* listName, const char* labelName, const char* buttonName) {
    using namespace controls;
    QGroupBox* box = frame(window, frameName, title, {frameLeft, top, frameWidth, frameHeight});
    return {box, list(box, listName, placeWords, {240, rowTop, 1215, 300}, true),
            label(box, labelName, announcement, {1620, rowTop + 30, 2040, 255}),
            button(box, buttonName, QStringLiteral("写入"), {3840, rowTop - 60, 1020, 420})};
}

} // namespace

HandheldCallerWindow::HandheldCallerWindow(Link& link, ChosenPort& port, WaitBoxes& waitBoxes,
                                           QWidget* parent)
    : QWidget(parent, Qt::Window), interaction_(this, port, waitBoxes) {
    controls::setUpWindow(this, "Form6", QStringLiteral("手持呼叫器设置"), 5580, 2970);

    const Row byTable =
        frameRow(this, "Frame1", QStringLiteral("餐桌号方式"), 180, "Combo1", "Label3", "Command1");
    const Row byPager = frameRow(this, "Frame2", QStringLiteral("传呼号方式"), 1575, "Combo2",
                                 "Label1", "Command2");
    byTableFrame = byTable.frame;
    byTablePlaceList = byTable.list;
    byTableText = byTable.text;
    writeByTableButton = byTable.send;
    byPagerFrame = byPager.frame;
    byPagerPlaceList = byPager.list;
    byPagerText = byPager.text;
    writeByPagerButton = byPager.send;

    // Initial state: 厨房 for calls by table number, 总台 for calls by pager number.
    byTablePlaceList->setCurrentIndex(0);
    byPagerPlaceList->setCurrentIndex(1);

    connect(writeByTableButton, &QPushButton::clicked, this, [this, &link] {
        runCommand(link, interaction_, [this] {
            return encodeHandheldByTable(ListChoice::positionOf(*byTablePlaceList));
        });
    });
    connect(writeByPagerButton, &QPushButton::clicked, this, [this, &link] {
        runCommand(link, interaction_, [this] {
            return encodeHandheldByPager(ListChoice::positionOf(*byPagerPlaceList));
        });
    });
}

} // namespace callcfg
