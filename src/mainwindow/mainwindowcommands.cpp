#include "mainwindow/mainwindowcommands.h"

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

// A command's button, the fields and lists in which Enter clicks it, and how its inputs are
// read.
struct MainWindowCommands::Binding {
    QPushButton* button;
    std::vector<QWidget*> enterFields;
    std::function<Encoded()> encode;
};

namespace {

int position(const QComboBox* list) {
    return ListChoice::positionOf(*list);
}

FocusTargets focusTargets(const MainWindow& f) {
    FocusTargets targets{{Focus::PagerNumber, f.pagerNumberEdit},
                         {Focus::AddressCode, f.addressCodeEdit},
                         {Focus::DeletePagerNumber, f.deletePagerEdit},
                         {Focus::TableNumber, f.tableNumberEdit},
                         {Focus::TablePager1, f.tablePagerEdits[0]},
                         {Focus::TablePager2, f.tablePagerEdits[1]},
                         {Focus::TablePager3, f.tablePagerEdits[2]},
                         {Focus::DeleteTableNumber, f.deleteTableEdit},
                         {Focus::ReceiverNumber, f.receiverNumberEdit},
                         {Focus::TransmitterFrequency, f.transmitterFrequencyEdit},
                         {Focus::UrgeNumber, f.setUrgeEdit},
                         {Focus::DeleteUrgeNumber, f.deleteUrgeEdit},
                         {Focus::WriteRepeaterButton, f.writeRepeaterButton},
                         {Focus::DeleteRepeaterButton, f.deleteRepeaterButton}};
    targets.requireEveryRole("Form1");
    return targets;
}

} // namespace

std::vector<MainWindowCommands::Binding> MainWindowCommands::bindingsOf(const MainWindow& f) {
    const auto& pagers = f.tablePagerEdits;
    return {
        // Pager entries.
        {f.setPagerButton,
         {f.pagerNumberEdit, f.addressCodeEdit, f.machineTypeList, f.polarityList, f.rateList,
          f.toneList},
         [&f] {
             return encodeSetPager({f.pagerNumberEdit->text(), f.addressCodeEdit->text(),
                                    position(f.machineTypeList), position(f.polarityList),
                                    position(f.rateList), position(f.toneList)});
         }},
        {f.deletePagerButton,
         {f.deletePagerEdit},
         [&f] { return encodeDeletePager(f.deletePagerEdit->text()); }},
        // Table caller entries; the hidden receiver number box is not read.
        {f.setTableButton,
         {f.tableNumberEdit, f.tableReceiverEdit, pagers[0], pagers[1], pagers[2]},
         [&f] {
             const auto& pager = f.tablePagerEdits;
             return encodeSetTableCaller({f.tableNumberEdit->text(),
                                          {pager[0]->text(), pager[1]->text(), pager[2]->text()}});
         }},
        {f.deleteTableButton,
         {f.deleteTableEdit},
         [&f] { return encodeDeleteTableCaller(f.deleteTableEdit->text()); }},
        // Receiver and host maintenance.
        {f.setReceiverNumberButton,
         {f.receiverNumberEdit},
         [&f] { return encodeSetReceiverNumber(f.receiverNumberEdit->text()); }},
        {f.initialiseReceiverButton, {}, [] { return withoutData(initialiseReceiverCommand()); }},
        {f.initialiseHostButton, {}, [] { return withoutData(initialiseHostCommand()); }},
        {f.writeReceiverFrequencyButton,
         {f.frequencyReceiverEdit, f.receiverFrequencyList},
         [&f] {
             return encodeReceiverFrequency(f.receiverFrequencyList->currentText(),
                                            position(f.receiverFrequencyList),
                                            f.frequencyReceiverEdit->text());
         }},
        {f.writeTransmitterButton,
         {f.transmitterFrequencyEdit},
         [&f] { return encodeTransmitterFrequency(f.transmitterFrequencyEdit->text()); }},
        // Urge units.
        {f.setUrgeButton, {f.setUrgeEdit}, [&f] { return encodeSetUrge(f.setUrgeEdit->text()); }},
        {f.deleteUrgeButton,
         {f.deleteUrgeEdit},
         [&f] { return encodeDeleteUrge(f.deleteUrgeEdit->text()); }},
        // Repeater entries.
        {f.writeRepeaterButton, {}, [] { return withoutData(writeRepeaterCommand()); }},
        {f.deleteRepeaterButton, {}, [] { return withoutData(deleteRepeaterCommand()); }},
        // Work mode (no Enter in its list) and display-unit type.
        {f.writeWorkModeButton, {}, [&f] { return encodeWorkMode(position(f.workModeList)); }},
        {f.writeDisplayTypeButton,
         {f.displayTypeList},
         [&f] { return encodeDisplayType(position(f.displayTypeList)); }},
    };
}

MainWindowCommands::MainWindowCommands(MainWindow& form, Link& link, ChosenPort& port,
                                       WaitBoxes& waitBoxes)
    : QObject(&form), interaction_(&form, port, waitBoxes, focusTargets(form)),
      bindings_(bindingsOf(form)) {
    for (const Binding& binding : bindings_) {
        connect(binding.button, &QPushButton::clicked, this,
                [this, &link, &binding] { runCommand(link, interaction_, binding.encode); });
        // An editable list keeps the focus itself and hands keys to its text field directly,
        // so the list is the control to watch in every case.
        for (QWidget* field : binding.enterFields) {
            enterButtons_.insert(field, binding.button);
            field->installEventFilter(this);
        }
    }
}

MainWindowCommands::~MainWindowCommands() = default;

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
