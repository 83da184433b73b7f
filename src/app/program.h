#pragma once
// Everything of one run of the tool with its windows: the link, the memory images, the wait
// boxes and the windows, wired together. main() makes one; the end-to-end tests make one per
// test.

#include "callers/callerwindows.h"
#include "link/link.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/mainwindowcommands.h"
#include "mainwindow/portrow.h"
#include "mainwindow/testmode.h"
#include "memory/images.h"
#include "memoryreader/memoryreader.h"
#include "sitesheet/sitesheet.h"
#include "ui/exchangefeedback.h"
#include "ui/waitboxes.h"

#include <functional>
#include <memory>

namespace callcfg {

class Program {
public:
    explicit Program(const PortMap& portMap);
    ~Program();

    Link link;
    Images images;
    WaitBoxes waitBoxes;
    MainWindow mainWindow;
    ExchangeFeedback exchangeFeedback{mainWindow};
    PortRow* portRow = nullptr; // the main window's port row; every window opens the port here
    TestMode* testMode = nullptr;
    MainWindowCommands* mainWindowCommands = nullptr;
    std::unique_ptr<MemoryReader> memoryReader;   // form3
    std::unique_ptr<CallerWindows> callerWindows; // form5, Form6
    std::unique_ptr<SiteSheet> siteSheet;         // 现场表格

    // What the exit button does; ends the event loop by default.
    std::function<void()> exitProgram;
};

} // namespace callcfg
