#include "mainwindow/form1commands.h"

#include "input/mode.h"
#include "input/pager.h"
#include "input/receiver.h"
#include "input/repeater.h"
#include "input/table.h"
#include "input/urge.h"
#include "mainwindow/form1.h"
#include "ui/commandroad.h"
#include "ui/listchoice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace callcfg {

namespace {

int listPosition(const QComboBox* list) {
    return ListChoice::positionOf(*list);
}

} // namespace

void wireForm1Commands(Form1& form, Link& link, WaitBoxes& waitBoxes) {
    const auto wire = [&](QPushButton* button, std::function<Encoded()> encode) {
        QObject::connect(button, &QPushButton::clicked, &form,
                         [&form, &link, &waitBoxes, encode = std::move(encode)] {
                             runCommand(&form, link, waitBoxes, encode);
                         });
    };
    Form1* f = &form;

    // Pager entries.
    wire(f->command1, [f] {
        return encodeSetPager({f->text1[0]->text(), f->text1[1]->text(), listPosition(f->combo1[0]),
                               listPosition(f->combo1[1]), listPosition(f->combo1[2]),
                               listPosition(f->combo1[3])});
    });
    wire(f->command4, [f] { return encodeDeletePager(f->text4->text()); });

    // Table caller entries; Text3(1) is not read.
    wire(f->command3, [f] {
        return encodeSetTableCaller(
            {f->text3[0]->text(), {f->text3[2]->text(), f->text3[3]->text(), f->text3[4]->text()}});
    });
    wire(f->command5, [f] { return encodeDeleteTableCaller(f->text6->text()); });

    // Receiver and host maintenance.
    wire(f->command2, [f] { return encodeSetReceiverNumber(f->text2->text()); });
    wire(f->command6, [] { return encodeInitialiseReceiver(); });
    wire(f->command7, [] { return encodeInitialiseHost(); });
    wire(f->command13, [f] {
        return encodeReceiverFrequency(f->combo2->currentText(), listPosition(f->combo2),
                                       f->text10->text());
    });
    wire(f->command14, [f] { return encodeTransmitterFrequency(f->text7->text()); });

    // Urge units.
    wire(f->command19, [f] { return encodeSetUrge(f->text11->text()); });
    wire(f->command10, [f] { return encodeDeleteUrge(f->text5->text()); });

    // Repeater entries.
    wire(f->command16, [] { return encodeWriteRepeater(); });
    wire(f->command17, [] { return encodeDeleteRepeater(); });

    // Work mode and display-unit type.
    wire(f->command11, [f] { return encodeWorkMode(listPosition(f->combo4)); });
    wire(f->command20, [f] { return encodeDisplayType(listPosition(f->combo3)); });
}

} // namespace callcfg
