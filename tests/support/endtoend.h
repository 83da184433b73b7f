#pragma once
// One run of the tool, wired as main() wires it, against a simulated host unit behind a
// real pseudo-terminal mapped to COM1. Boxes are caught and answered by a BoxWatcher.

#include "app/program.h"
#include "boxwatcher.h"
#include "hostsim/line/ptyhost.h"

#include <QString>

#include <memory>

namespace testsupport {

class EndToEnd {
public:
    // Every wait of the tool lasts `timeScale` times its real length.
    explicit EndToEnd(double timeScale = 0.05);
    ~EndToEnd();

    hostsim::PtyHost host;
    std::unique_ptr<callcfg::Program> program;
    BoxWatcher boxes;

    callcfg::MainWindow& mainWindow() { return program->mainWindow; }
    callcfg::Link& link() { return program->link; }

    // The request frames the host unit received since the last call, each written as its
    // wire bytes "55 55 AA 01 cmd n data chk".
    QStringList takeFrames();
    // Every raw byte the host unit received since the last call, "55 55 AA ...".
    QString takeWire();

    // Sets the text of a line edit / chooses a list entry by text, as a user would.
    static void type(QWidget* field, const QString& text);
};

} // namespace testsupport
