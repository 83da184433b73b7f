#include "app/program.h"

#include "link/qtserialport.h"
#include "mainwindow/form1commands.h"
#include "mainwindow/portrow.h"
#include "mainwindow/testmode.h"
#include "ui/messagebox.h"
#include "ui/paintpump.h"

#include <QApplication>
#include <QPushButton>

namespace callcfg {

Program::Program(const PortMap& portMap)
    : link(std::make_unique<QtSerialPort>(), portMap), exitProgram([] { QApplication::quit(); }) {
    link.setBoxSink([this](const Box& box) {
        QWidget* parent = QApplication::activeWindow();
        showBoxDuringWait(parent ? parent : &form1, box);
    });
    link.setRepaint([this] { form1.repaint(); });
    // Windows may repaint during a wait; nothing else of the program runs.
    link.setIdle([] { pumpPaintOnly(0); });

    wirePortRow(form1, link);
    wireTestMode(form1, link);
    wireForm1Commands(form1, link, waitBoxes);
    memoryReader = std::make_unique<MemoryReader>(form1, link, images);
    callerWindows = std::make_unique<CallerWindows>(form1, link, waitBoxes);
    QObject::connect(form1.command9, &QPushButton::clicked, &form1, [this] { exitProgram(); });

    link.resetForLoad();
    form1.load();
}

Program::~Program() = default;

} // namespace callcfg
