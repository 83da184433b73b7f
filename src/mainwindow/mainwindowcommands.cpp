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

struct Binding {
    QPushButton* button;
    std::vector<QWidget*> enterFields;
    std::function<Encoded()> encode;
};

int positionOf(const QComboBox* list) {
    return ListChoice::positionOf(*list);
}

FocusTargets focusTargets(const MainWindow& f) {
    FocusTargets targets;
    for (const FocusName& name : kFocusNames)
        targets.add(name.role, f.findChild<QWidget*>(QString::fromLatin1(name.objectName)));
    targets.requireEveryRole("Form1");
    return targets;
}

std::vector<Binding> bindings(const MainWindow* f) {
    return {
        // Pager entries.
        {f->setPagerButton,
         {f->pagerNumberEdit, f->addressCodeEdit, f->machineTypeList, f->polarityList, f->rateList,
          f->toneList},
         [f] {
             return encodeSetPager({f->pagerNumberEdit->text(), f->addressCodeEdit->text(),
                                    positionOf(f->machineTypeList), positionOf(f->polarityList),
                                    positionOf(f->rateList), positionOf(f->toneList)});
         }},
        {f->deletePagerButton,
         {f->deletePagerEdit},
         [f] { return encodeDeletePager(f->deletePagerEdit->text()); }},
        // Table caller entries; the hidden receiver number box is not read.
        {f->setTableButton,
         {f->tableNumberEdit, f->tableReceiverEdit, f->tablePagerEdits[0], f->tablePagerEdits[1],
          f->tablePagerEdits[2]},
         [f] {
             return encodeSetTableCaller(
                 {f->tableNumberEdit->text(),
                  {f->tablePagerEdits[0]->text(), f->tablePagerEdits[1]->text(),
                   f->tablePagerEdits[2]->text()}});
         }},
        {f->deleteTableButton,
         {f->deleteTableEdit},
         [f] { return encodeDeleteTableCaller(f->deleteTableEdit->text()); }},
        // Receiver and host maintenance.
        {f->setReceiverNumberButton,
         {f->receiverNumberEdit},
         [f] { return encodeSetReceiverNumber(f->receiverNumberEdit->text()); }},
        {f->initialiseReceiverButton, {}, [] { return withoutData(initialiseReceiverCommand()); }},
        {f->initialiseHostButton, {}, [] { return withoutData(initialiseHostCommand()); }},
        {f->writeReceiverFrequencyButton,
         {f->frequencyReceiverEdit, f->receiverFrequencyList},
         [f] {
             return encodeReceiverFrequency(f->receiverFrequencyList->currentText(),
                                            positionOf(f->receiverFrequencyList),
                                            f->frequencyReceiverEdit->text());
         }},
        {f->writeTransmitterButton,
         {f->transmitterFrequencyEdit},
         [f] { return encodeTransmitterFrequency(f->transmitterFrequencyEdit->text()); }},
        // Urge units.
        {f->setUrgeButton, {f->setUrgeEdit}, [f] { return encodeSetUrge(f->setUrgeEdit->text()); }},
        {f->deleteUrgeButton,
         {f->deleteUrgeEdit},
         [f] { return encodeDeleteUrge(f->deleteUrgeEdit->text()); }},
        // Repeater entries.
        {f->writeRepeaterButton, {}, [] { return withoutData(writeRepeaterCommand()); }},
        {f->deleteRepeaterButton, {}, [] { return withoutData(deleteRepeaterCommand()); }},
        // Work mode (no Enter in its list) and display-unit type.
        {f->writeWorkModeButton, {}, [f] { return encodeWorkMode(positionOf(f->workModeList)); }},
        {f->writeDisplayTypeButton,
         {f->displayTypeList},
         [f] { return encodeDisplayType(positionOf(f->displayTypeList)); }},
    };
}

} // namespace

MainWindowCommands::MainWindowCommands(MainWindow& form, Link& link, PortGate& port,
                                       WaitBoxes& waitBoxes)
    : QObject(&form), screen_(&form, port, waitBoxes, focusTargets(form)) {
    for (Binding& binding : bindings(&form)) {
        connect(binding.button, &QPushButton::clicked, this,
                [this, &link, encode = std::move(binding.encode)] {
                    runCommand(link, screen_, encode);
                });
        // An editable list keeps the focus itself and hands keys to its text field directly,
        // so the list is the control to watch in every case.
        for (QWidget* field : binding.enterFields) {
            enterButtons_.insert(field, binding.button);
            field->installEventFilter(this);
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
