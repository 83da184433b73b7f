#include "app/program.h"

#include "language/language.h"
#include "link/platformport.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

namespace callcfg {

Program::Program(const PortMap& portMap)
    : link(makePlatformPort()), exitProgram([] { QApplication::quit(); }) {
    useLanguage(Language::Chinese); // every text the windows add is Chinese
    link.addObserver(&exchangeFeedback);
    portRow = new PortRow(mainWindow, link, portMap);
    testMode = new TestMode(mainWindow, link, *portRow);
    mainWindowCommands = new MainWindowCommands(mainWindow, link, *portRow, waitBoxes);
    memoryReader = std::make_unique<MemoryReader>(link, *portRow, images);
    callerWindows = std::make_unique<CallerWindows>(link, *portRow, waitBoxes);
    siteSheet = std::make_unique<SiteSheet>(link, *portRow);
    QObject::connect(mainWindow.memoryReaderButton, &QPushButton::clicked, memoryReader.get(),
                     &MemoryReader::showMemoryReader);
    QObject::connect(mainWindow.voicePromptsButton, &QPushButton::clicked, callerWindows.get(),
                     &CallerWindows::showVoicePrompts);
    QObject::connect(mainWindow.handheldButton, &QPushButton::clicked, callerWindows.get(),
                     &CallerWindows::showHandheldCallers);
    QObject::connect(mainWindow.siteSheetAction, &QAction::triggered, siteSheet.get(),
                     &SiteSheet::showSiteSheet);
    QObject::connect(mainWindow.exitButton, &QPushButton::clicked, &mainWindow,
                     [this] { exitProgram(); });

    // The start state the main window's load sets: the port closed, RTS off.
    link.setRts(false);
    mainWindow.load();
}

Program::~Program() {
    link.removeObserver(&exchangeFeedback);
}

} // namespace callcfg
