#include "mainwindow/mainwindow.h"

#include "ui/fonts.h"
#include "ui/listchoice.h"
#include "ui/twips.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace callcfg {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle("鸣玉配置软件4.0+");
    setFont(namedFont(songFace, 9));
    resize(px(layoutWidth), clientHeight(loadHeight));
    buildUpperStrip();
    buildMaintenanceControls();
    buildLowerStrip();
    for (QWidget* control : maintenanceControls())
        control->hide();
    unusedWriteButton->hide();
    buildViewActions();
    wireFocusAndLabel();
    // Only an entry chosen from the port list closes the port; a typed name does not.
    connect(ListChoice::of(portList), &ListChoice::chosen, this, &MainWindow::portListClicked);
}

void MainWindow::load() {
    if (loaded_)
        return;
    loaded_ = true;
    setLayoutHeight(loadHeight);
    if (const QScreen* where = screen()) {
        const QRect available = where->availableGeometry();
        const int frameWidth = qMax(frameGeometry().width(), width());
        move(available.x() + available.width() / 2 - frameWidth / 2, available.y());
    }
    for (QLineEdit* field : {receiverNumberEdit, deletePagerEdit, deleteUrgeEdit, deleteTableEdit,
                             transmitterFrequencyEdit, frequencyReceiverEdit, setUrgeEdit})
        field->clear();
    for (QLineEdit* field : {pagerNumberEdit, addressCodeEdit, tableNumberEdit, tableReceiverEdit,
                             tablePagerEdits[0], tablePagerEdits[1], tablePagerEdits[2]})
        field->clear();
    const std::pair<QComboBox*, const char*> startItems[] = {{machineTypeList, "数字标准"},
                                                             {polarityList, "反"},
                                                             {rateList, "1200"},
                                                             {toneList, "音调1"},
                                                             {workModeList, "多键模式"},
                                                             {portList, "COM1"},
                                                             {receiverFrequencyList, "315.6"},
                                                             {displayTypeList, "数字"}};
    for (const auto& [list, item] : startItems) {
        list->setCurrentIndex(list->findText(QString::fromUtf8(item)));
        if (list == portList)
            emit portListClicked();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    load();
    QWidget::showEvent(event);
}

void MainWindow::setLayoutHeight(int twips) {
    resize(width(), clientHeight(twips));
    const QSignalBlocker quiet(fullViewAction);
    fullViewAction->setChecked(height() >= clientHeight(fullHeight));
}

void MainWindow::setFullView(bool on) {
    setLayoutHeight(on ? fullHeight : loadHeight);
}

bool MainWindow::isFullView() const {
    return fullViewAction->isChecked();
}

QList<QWidget*> MainWindow::maintenanceControls() const {
    return QList<QWidget*>{transmitterFrequencyEdit,     writeTransmitterButton,
                           receiverFrequencyList,        frequencyReceiverEdit,
                           writeReceiverFrequencyButton, testButton,
                           initialiseReceiverButton} +
           maintenanceLabels_;
}

void MainWindow::setMaintenanceView(bool on) {
    for (QWidget* control : maintenanceControls())
        control->setVisible(on);
    const QSignalBlocker quiet(maintenanceViewAction);
    maintenanceViewAction->setChecked(on);
}

bool MainWindow::isMaintenanceView() const {
    return maintenanceViewAction->isChecked();
}

void MainWindow::buildViewActions() {
    fullViewAction = new QAction("显示全部功能", this);
    fullViewAction->setObjectName("FullViewAction");
    fullViewAction->setCheckable(true);
    fullViewAction->setShortcut(QKeySequence("Ctrl+Shift+A"));
    connect(fullViewAction, &QAction::toggled, this, &MainWindow::setFullView);

    maintenanceViewAction = new QAction("显示维护功能", this);
    maintenanceViewAction->setObjectName("MaintenanceViewAction");
    maintenanceViewAction->setCheckable(true);
    maintenanceViewAction->setShortcut(QKeySequence("Ctrl+Shift+M"));
    connect(maintenanceViewAction, &QAction::toggled, this, &MainWindow::setMaintenanceView);

    for (QAction* action : {fullViewAction, maintenanceViewAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    findHostAction = new QAction("查找主机", this);
    findHostAction->setObjectName("FindHostAction");
    siteSheetAction = new QAction("按表格设置…", this);
    siteSheetAction->setObjectName("SiteSheetAction");
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(fullViewAction);
    menu.addAction(maintenanceViewAction);
    menu.addAction(findHostAction);
    menu.addAction(siteSheetAction);
    menu.exec(event->globalPos());
}

} // namespace callcfg
