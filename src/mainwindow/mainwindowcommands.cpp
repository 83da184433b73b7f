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

FocusTargets focusTargets(const MainWindow& window) {
    FocusTargets targets{{Focus::PagerNumber, window.pagerNumberEdit},
                         {Focus::AddressCode, window.addressCodeEdit},
                         {Focus::DeletePagerNumber, window.deletePagerEdit},
                         {Focus::TableNumber, window.tableNumberEdit},
                         {Focus::TablePager1, window.tablePagerEdits[0]},
                         {Focus::TablePager2, window.tablePagerEdits[1]},
                         {Focus::TablePager3, window.tablePagerEdits[2]},
                         {Focus::DeleteTableNumber, window.deleteTableEdit},
                         {Focus::ReceiverNumber, window.receiverNumberEdit},
                         {Focus::TransmitterFrequency, window.transmitterFrequencyEdit},
                         {Focus::UrgeNumber, window.setUrgeEdit},
                         {Focus::DeleteUrgeNumber, window.deleteUrgeEdit},
                         {Focus::WriteRepeaterButton, window.writeRepeaterButton},
                         {Focus::DeleteRepeaterButton, window.deleteRepeaterButton}};
    targets.requireEveryRole("Form1");
    return targets;
}

} // namespace

std::vector<MainWindowCommands::Binding> MainWindowCommands::bindingsOf(const MainWindow& window) {
    const auto& pagers = window.tablePagerEdits;
    return {
        // Pager entries.
        {window.setPagerButton,
         {window.pagerNumberEdit, window.addressCodeEdit, window.machineTypeList,
          window.polarityList, window.rateList, window.toneList},
         [&window] {
             return encodeSetPager({window.pagerNumberEdit->text(), window.addressCodeEdit->text(),
                                    position(window.machineTypeList), position(window.polarityList),
                                    position(window.rateList), position(window.toneList)});
         }},
        {window.deletePagerButton,
         {window.deletePagerEdit},
         [&window] { return encodeDeletePager(window.deletePagerEdit->text()); }},
        // Table caller entries; the hidden receiver number box is not read.
        {window.setTableButton,
         {window.tableNumberEdit, window.tableReceiverEdit, pagers[0], pagers[1], pagers[2]},
         [&window] {
             const auto& pager = window.tablePagerEdits;
             return encodeSetTableCaller({window.tableNumberEdit->text(),
                                          {pager[0]->text(), pager[1]->text(), pager[2]->text()}});
         }},
        {window.deleteTableButton,
         {window.deleteTableEdit},
         [&window] { return encodeDeleteTableCaller(window.deleteTableEdit->text()); }},
        // Receiver and host maintenance.
        {window.setReceiverNumberButton,
         {window.receiverNumberEdit},
         [&window] { return encodeSetReceiverNumber(window.receiverNumberEdit->text()); }},
        {window.initialiseReceiverButton,
         {},
         [] { return withoutData(initialiseReceiverCommand()); }},
        {window.initialiseHostButton, {}, [] { return withoutData(initialiseHostCommand()); }},
        {window.writeReceiverFrequencyButton,
         {window.frequencyReceiverEdit, window.receiverFrequencyList},
         [&window] {
             return encodeReceiverFrequency(window.receiverFrequencyList->currentText(),
                                            position(window.receiverFrequencyList),
                                            window.frequencyReceiverEdit->text());
         }},
        {window.writeTransmitterButton,
         {window.transmitterFrequencyEdit},
         [&window] { return encodeTransmitterFrequency(window.transmitterFrequencyEdit->text()); }},
        // Urge units.
        {window.setUrgeButton,
         {window.setUrgeEdit},
         [&window] { return encodeSetUrge(window.setUrgeEdit->text()); }},
        {window.deleteUrgeButton,
         {window.deleteUrgeEdit},
         [&window] { return encodeDeleteUrge(window.deleteUrgeEdit->text()); }},
        // Repeater entries.
        {window.writeRepeaterButton, {}, [] { return withoutData(writeRepeaterCommand()); }},
        {window.deleteRepeaterButton, {}, [] { return withoutData(deleteRepeaterCommand()); }},
        // Work mode (no Enter in its list) and display-unit type.
        {window.writeWorkModeButton,
         {},
         [&window] { return encodeWorkMode(position(window.workModeList)); }},
        {window.writeDisplayTypeButton,
         {window.displayTypeList},
         [&window] { return encodeDisplayType(position(window.displayTypeList)); }},
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
