#include "mainwindow/mainwindowcommands.h"

#include "mainwindow/focusnames.h"

#include "commands/mode.h"
#include "commands/pager.h"
#include "commands/receiver.h"
#include "commands/repeater.h"
#include "commands/table.h"
#include "commands/urge.h"
#include "mainwindow/mainwindow.h"
#include "ui/listchoice.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <vector>

namespace callcfg {

namespace {

// A command's button, the fields and lists in which Enter clicks it, and how its inputs are
// read, each control named by its objectName.
struct Binding {
    const char* button;
    std::vector<const char*> enterFields;
    std::function<Encoded(const MainWindow&)> encode;
};

// The window's control of that objectName; a name without a control is a fault of the table.
template <typename Control> Control* control(const MainWindow& f, const char* objectName) {
    auto* found = f.findChild<Control*>(QString::fromLatin1(objectName));
    if (!found)
        qFatal("Form1 has no control %s", objectName);
    return found;
}

// A field's text, or what an editable list shows.
QString text(const MainWindow& f, const char* objectName) {
    if (auto* list = f.findChild<QComboBox*>(QString::fromLatin1(objectName)))
        return list->currentText();
    return control<QLineEdit>(f, objectName)->text();
}

int position(const MainWindow& f, const char* objectName) {
    return ListChoice::positionOf(*control<QComboBox>(f, objectName));
}

FocusTargets focusTargets(const MainWindow& f) {
    FocusTargets targets;
    for (const FocusName& name : kFocusNames)
        targets.add(name.role, f.findChild<QWidget*>(QString::fromLatin1(name.objectName)));
    targets.requireEveryRole("Form1");
    return targets;
}

const std::vector<Binding>& bindings() {
    using F = const MainWindow&;
    static const std::vector<Binding> table{
        // Pager entries.
        {"Command1",
         {"Text1(0)", "Text1(1)", "Combo1(0)", "Combo1(1)", "Combo1(2)", "Combo1(3)"},
         [](F f) {
             return encodeSetPager({text(f, "Text1(0)"), text(f, "Text1(1)"),
                                    position(f, "Combo1(0)"), position(f, "Combo1(1)"),
                                    position(f, "Combo1(2)"), position(f, "Combo1(3)")});
         }},
        {"Command4", {"Text4"}, [](F f) { return encodeDeletePager(text(f, "Text4")); }},
        // Table caller entries; the hidden receiver number box Text3(1) is not read.
        {"Command3",
         {"Text3(0)", "Text3(1)", "Text3(2)", "Text3(3)", "Text3(4)"},
         [](F f) {
             return encodeSetTableCaller(
                 {text(f, "Text3(0)"),
                  {text(f, "Text3(2)"), text(f, "Text3(3)"), text(f, "Text3(4)")}});
         }},
        {"Command5", {"Text6"}, [](F f) { return encodeDeleteTableCaller(text(f, "Text6")); }},
        // Receiver and host maintenance.
        {"Command2", {"Text2"}, [](F f) { return encodeSetReceiverNumber(text(f, "Text2")); }},
        {"Command6", {}, [](F) { return withoutData(initialiseReceiverCommand()); }},
        {"Command7", {}, [](F) { return withoutData(initialiseHostCommand()); }},
        {"Command13",
         {"Text10", "Combo2"},
         [](F f) {
             return encodeReceiverFrequency(text(f, "Combo2"), position(f, "Combo2"),
                                            text(f, "Text10"));
         }},
        {"Command14", {"Text7"}, [](F f) { return encodeTransmitterFrequency(text(f, "Text7")); }},
        // Urge units.
        {"Command19", {"Text11"}, [](F f) { return encodeSetUrge(text(f, "Text11")); }},
        {"Command10", {"Text5"}, [](F f) { return encodeDeleteUrge(text(f, "Text5")); }},
        // Repeater entries.
        {"Command16", {}, [](F) { return withoutData(writeRepeaterCommand()); }},
        {"Command17", {}, [](F) { return withoutData(deleteRepeaterCommand()); }},
        // Work mode (no Enter in its list) and display-unit type.
        {"Command11", {}, [](F f) { return encodeWorkMode(position(f, "Combo4")); }},
        {"Command20", {"Combo3"}, [](F f) { return encodeDisplayType(position(f, "Combo3")); }},
    };
    return table;
}

} // namespace

MainWindowCommands::MainWindowCommands(MainWindow& form, Link& link, PortGate& port,
                                       WaitBoxes& waitBoxes)
    : QObject(&form), screen_(&form, port, waitBoxes, focusTargets(form)) {
    for (const Binding& binding : bindings()) {
        connect(control<QPushButton>(form, binding.button), &QPushButton::clicked, this,
                [this, &link, &form, &binding] {
                    runCommand(link, screen_, [&] { return binding.encode(form); });
                });
        // An editable list keeps the focus itself and hands keys to its text field directly,
        // so the list is the control to watch in every case.
        for (const char* field : binding.enterFields) {
            QWidget* watched = control<QWidget>(form, field);
            enterButtons_.insert(watched, control<QPushButton>(form, binding.button));
            watched->installEventFilter(this);
        }
    }
}

bool MainWindowCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const bool enter = press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter;
        // Ctrl+Enter and Alt+Enter are no carriage return; Shift and the keypad are.
        if (enter && !(press->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            if (QAbstractButton* button = enterButtons_.value(watched))
                button->click();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace callcfg
