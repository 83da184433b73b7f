// How the main window answers focus and the mouse: fields that select their text on focus, the
// port label's double-click, and the greeting boxes on clicks on the background.

#include "mainwindow/mainwindow.h"

#include "ui/messagebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTimer>

namespace callcfg {
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
