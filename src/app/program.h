#pragma once
// Everything of one run of the tool: the link, the memory images, the wait boxes and the
// windows, wired together. main() makes one; the end-to-end tests make one per test.

#include "callers/callerwindows.h"
#include "link/link.h"
#include "mainwindow/form1.h"
#include "memory/images.h"
#include "memory/memoryreader.h"
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
    Form1 form1;
    std::unique_ptr<MemoryReader> memoryReader;   // form3
    std::unique_ptr<CallerWindows> callerWindows; // form5, Form6

    // What Command9 does; ends the event loop by default.
    std::function<void()> exitProgram;
};

} // namespace callcfg
