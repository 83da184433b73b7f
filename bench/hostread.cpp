#include "hostread.h"

#include "app/program.h"
#include "boxwatcher.h"
#include "hostsim/line/ptyhost.h"
#include "memory/blocktransfer.h"
#include "protocol/commands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <chrono>

namespace {

// Fills the host's memory with a pattern no block shares with another.
hostsim::Memory pattern() {
    hostsim::Memory memory;
    for (std::size_t n = 0; n < memory.size(); ++n)
        memory[n] = static_cast<std::uint8_t>(n * 7 + n / 256);
    return memory;
}

QPushButton* readerCommand1(callcfg::Program& program) {
    program.mainWindow.memoryReaderButton->click();
    QApplication::processEvents();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("form3") && window->isVisible())
            return window->findChild<QPushButton*>(QStringLiteral("Command1"));
    return nullptr;
}

bool imageMatches(const callcfg::Program& program, const hostsim::Memory& memory) {
    return program.images.hostImage == memory && program.images.hostImagePresent;
}

HostReadResult throughReader(callcfg::Program& program, QPushButton* command1,
                             const hostsim::Memory& memory) {
    testsupport::BoxWatcher answerer;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point clicked = Clock::now();
    command1->click(); // returns after the closing notice box has been answered
    const Clock::time_point firstBox =
        answerer.boxes().isEmpty() ? Clock::now() : answerer.boxes().first().seenAt;
    HostReadResult result;
    result.seconds = std::chrono::duration<double>(firstBox - clicked).count();
    const QStringList boxes = answerer.takeTexts();
    result.complete =
        boxes == QStringList{QStringLiteral("读取主机内容成功！")} && imageMatches(program, memory);
    result.how = QStringLiteral("form3 Command1, click to closing box");
    if (!result.complete)
        result.how += QStringLiteral("; boxes: ") + boxes.join(QStringLiteral(" | "));
    return result;
}

HostReadResult throughLink(callcfg::Program& program, const hostsim::Memory& memory,
                           const QString& why) {
    callcfg::Link& link = program.link;
    testsupport::BoxWatcher answerer;
    QElapsedTimer clock;
    clock.start();
    bool complete = program.portRow->ensureOpen();
    link.discardInput();
    std::vector<std::uint8_t> read;
    if (complete) {
        const callcfg::TransferResult result = callcfg::transferBlocks(
            link, callcfg::hostReadPlan(), {}, [&](int, std::span<const std::uint8_t> data) {
                read.insert(read.end(), data.begin(), data.end());
            });
        complete = result.stop == callcfg::TransferStop::Done &&
                   std::equal(read.begin(), read.end(), memory.begin(), memory.end());
    }
    HostReadResult result;
    result.seconds = double(clock.nsecsElapsed()) / 1e9;
    result.complete = complete && answerer.take().isEmpty();
    result.how = QStringLiteral("the block transfer: 64 exchanges of 1 x 0.2 s; ") + why;
    return result;
}

} // namespace

HostReadResult measureHostRead(callcfg::Program& program, hostsim::PtyHost& host, bool linkOnly) {
    const hostsim::Memory memory = pattern();
    host.withLine([&](hostsim::HostLine& line) {
        line.unit().setMemory(memory);
        line.takeRequests();
    });
    if (linkOnly)
        return throughLink(program, memory, QStringLiteral("asked for with --through-link"));
    QPushButton* command1 = readerCommand1(program);
    if (!command1)
        return throughLink(program, memory, QStringLiteral("form3 has no Command1 yet"));
    HostReadResult viaReader = throughReader(program, command1, memory);
    const auto requests =
        host.withLine([](hostsim::HostLine& line) { return line.takeRequests(); });
    const bool readSomething =
        std::any_of(requests.begin(), requests.end(), [](const hostsim::ReceivedRequest& r) {
            return r.command == callcfg::protocol::kReadHostBlock;
        });
    if (!readSomething)
        return throughLink(program, memory, QStringLiteral("form3's Command1 does not read yet"));
    return viaReader;
}
