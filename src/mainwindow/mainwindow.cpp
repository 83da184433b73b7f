// The main window: its load, its views, and how it answers focus and the mouse (fields that
// select their text on focus, the port label's double-click, the greeting boxes on clicks on the
// background).

#include "mainwindow/mainwindow.h"

#include "ui/fonts.h"
#include "ui/listchoice.h"
#include "ui/messagebox.h"
#include "ui/twips.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

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

// How the main window answers focus and the mouse: fields that select their text on focus, the
// port label's double-click, and the greeting boxes on clicks on the background.
namespace {

// Whole text selected with the caret at the start.
void selectWhole(QLineEdit* field) {
    const auto length = static_cast<int>(field->text().size());
    field->setSelection(length, -length);
}

int randomGreeting() {
    return static_cast<int>(QRandomGenerator::global()->generateDouble() * 5);
}

} // namespace

void MainWindow::wireFocusAndLabel() {
    for (QLineEdit* field :
         {pagerNumberEdit, addressCodeEdit, receiverNumberEdit, tableNumberEdit, tableReceiverEdit,
          tablePagerEdits[0], tablePagerEdits[1], tablePagerEdits[2], deletePagerEdit,
          deleteUrgeEdit, deleteTableEdit, transmitterFrequencyEdit})
        selectOnFocus_.insert(field, true);
    // These select nothing on focus, not even when tabbed into.
    for (QLineEdit* field : {frequencyReceiverEdit, setUrgeEdit})
        selectOnFocus_.insert(field, false);
    for (QObject* watched : selectOnFocus_.keys())
        watched->installEventFilter(this);
    portLabel->installEventFilter(this);
    chooseGreeting_ = randomGreeting;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && selectOnFocus_.contains(watched)) {
        // Queued, so that a mouse press placing the caret comes first, whatever the reason.
        auto* field = static_cast<QLineEdit*>(watched);
        if (selectOnFocus_.value(watched))
            QTimer::singleShot(0, field, [field] { selectWhole(field); });
        else
            QTimer::singleShot(0, field, [field] { field->deselect(); });
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == portLabel)
        emit portToggleRequested();
    return QWidget::eventFilter(watched, event);
}

// A click on the background is a left press and release on the window itself, not on one of
// its controls or frames (a label or a frame passes its mouse events on to the window).
void MainWindow::mousePressEvent(QMouseEvent* event) {
    backgroundPressed_ = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click = backgroundPressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(at) && !childAt(at);
    backgroundPressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        countBackgroundClick();
}

// The second press of a double-click is not a click of its own.
void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void MainWindow::setGreetingChooser(std::function<int()> choose) {
    chooseGreeting_ = choose ? std::move(choose) : std::function<int()>(randomGreeting);
}

void MainWindow::countBackgroundClick() {
    if (++backgroundClicks_ != 15)
        return;
    backgroundClicks_ = 0;
    // The contact and author boxes carry neutral wording: no telephone numbers, no names.
    static const Box greetings[5] = {
        {BoxKind::Notice, "注意，如果通讯不成功，请换个串口试试！", "提示"},
        {BoxKind::Notice, "十年瑞川，专业精神，竭诚服务！", "欢迎使用"},
        {BoxKind::Notice, "请与设备供应商联系获取技术支持。", "联系方式"},
        {BoxKind::Notice, "", "鸣玉配置软件"},
        {BoxKind::Notice, "恭喜发财！", "888"}};
    showBox(this, greetings[qBound(0, chooseGreeting_(), 4)]);
}

} // namespace callcfg
