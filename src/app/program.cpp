#include "app/program.h"

#include "language/language.h"
#include "link/platformport.h"

#include <QApplication>
#include <QPushButton>

namespace callcfg {

Program::Program(const PortMap& portMap)
    : link(makePlatformPort()), exitProgram([] { QApplication::quit(); }) {
    useLanguage(Language::Chinese); // every text the windows add is Chinese
    link.addObserver(&waitScreen);
    portRow = new PortRow(form1, link, portMap);
    testMode = new TestMode(form1, link, *portRow);
    form1Commands = new Form1Commands(form1, link, *portRow, waitBoxes);
    memoryReader = std::make_unique<MemoryReader>(link, *portRow, images);
    callerWindows = std::make_unique<CallerWindows>(link, *portRow, waitBoxes);
    QObject::connect(form1.memoryReaderButton, &QPushButton::clicked, memoryReader.get(),
                     &MemoryReader::showForm3);
    QObject::connect(form1.voicePromptsButton, &QPushButton::clicked, callerWindows.get(),
                     &CallerWindows::showForm5);
    QObject::connect(form1.handheldButton, &QPushButton::clicked, callerWindows.get(),
                     &CallerWindows::showForm6);
    QObject::connect(form1.exitButton, &QPushButton::clicked, &form1, [this] { exitProgram(); });

    // The start state the main window's load sets: the port closed, RTS off.
    link.setRts(false);
    form1.load();
}

Program::~Program() {
    link.removeObserver(&waitScreen);
}

} // namespace callcfg
