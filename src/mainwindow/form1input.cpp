// Keyboard and mouse behaviour shared by the main window's controls: select on focus, Enter
// clicks the task's button, the port label's double-click and the greeting boxes.

#include "mainwindow/form1.h"

#include "ui/messagebox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

void Form1::wireKeyboard() {
    for (QLineEdit* field : {text1[0], text1[1], text2, text3[0], text3[1], text3[2], text3[3],
                             text3[4], text4, text5, text6, text7})
        selectOnFocus_.insert(field, true);
    // These select nothing on focus, not even when tabbed into.
    for (QLineEdit* field : {text10, text11})
        selectOnFocus_.insert(field, false);

    const std::pair<QWidget*, QPushButton*> enter[] = {
        {text1[0], command1},  {text1[1], command1},  {combo1[0], command1}, {combo1[1], command1},
        {combo1[2], command1}, {combo1[3], command1}, {text3[0], command3},  {text3[1], command3},
        {text3[2], command3},  {text3[3], command3},  {text3[4], command3},  {text4, command4},
        {text6, command5},     {text11, command19},   {text5, command10},    {text2, command2},
        {combo3, command20},   {text7, command14},    {text10, command13},   {combo2, command13}};
    // An editable list keeps the focus itself and hands keys to its line edit directly, so
    // the list is the control to watch in every case.
    for (const auto& [control, button] : enter)
        enterButtons_.insert(control, button);

    for (QObject* watched : selectOnFocus_.keys())
        watched->installEventFilter(this);
    for (QObject* watched : enterButtons_.keys())
        watched->installEventFilter(this);
    label9->installEventFilter(this);
    chooseGreeting_ = randomGreeting;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* press = static_cast<QKeyEvent*>(event);
        const bool enter = press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter;
        // Ctrl+Enter and Alt+Enter are no carriage return; Shift and the keypad are.
        if (enter && !(press->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (QAbstractButton* button = enterButtons_.value(watched))
                button->click(); // the key still goes on to the control
        }
        break;
    }
    case QEvent::FocusIn:
        if (selectOnFocus_.contains(watched)) {
            // Queued, so that a mouse press placing the caret comes first, whatever the reason.
            auto* field = static_cast<QLineEdit*>(watched);
            if (selectOnFocus_.value(watched))
                QTimer::singleShot(0, field, [field] { selectWhole(field); });
            else
                QTimer::singleShot(0, field, [field] { field->deselect(); });
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == label9)
            emit portToggleRequested();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// A click on the background is a left press and release on the window itself, not on one of
// its controls or frames (a label or a frame passes its mouse events on to the window).
void Form1::mousePressEvent(QMouseEvent* event) {
    backgroundPressed_ = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool click = backgroundPressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(at) && !childAt(at);
    backgroundPressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        countBackgroundClick();
}

// The second press of a double-click is not a click of its own.
void Form1::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void Form1::setGreetingChooser(std::function<int()> choose) {
    chooseGreeting_ = choose ? std::move(choose) : std::function<int()>(randomGreeting);
}

void Form1::countBackgroundClick() {
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
