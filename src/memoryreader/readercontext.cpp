#include "link/link.h"
#include "memory/blocktransfer.h"
#include "memoryreader/memoryreaderwindow.h"
#include "memoryreader/readercommands.h"
#include "ui/messagebox.h"

#include <QLabel>
#include <QProgressBar>

#include <cstdio>

namespace callcfg {

void MemoryReaderContext::box(const Box& box) const {
    showBox(&window, box);
}

void MemoryReaderContext::tell(const QString& problem) const {
    std::fprintf(stderr, "callcfg: %s\n", qPrintable(problem));
    std::fflush(stderr);
    link.note(problem);
}

bool MemoryReaderContext::transferCompleted(const TransferResult& result,
                                            const QString& wrongLength, const QString& portFailure,
                                            const QString& atRest) const {
    const auto stop = [&](const QString& text) {
        box({BoxKind::Error, text});
        window.setCompactSize();
        MemoryReaderWindow::setCaption(window.progressLabel, atRest);
    };
    const QString noReply = QStringLiteral("通讯失败！请检查连线！");
    switch (result.stop) {
    case TransferStop::NoReply:
        stop(noReply);
        return false;
    case TransferStop::WrongLength:
        stop(wrongLength);
        return false;
    case TransferStop::PortFault:
        // A read that fails ends the wait as no reply does; a refused request is the
        // read's or download's own failure.
        if (!result.portFault.whileSending) {
            stop(noReply);
            return false;
        }
        box({BoxKind::Error, portFailure});
        window.progressBar->setValue(0);
        window.setCompactSize();
        return false;
    case TransferStop::Stopped: // the window never asks a transfer to stop
        return false;
    case TransferStop::Done:
        break;
    }
    window.progressBar->setValue(0);
    MemoryReaderWindow::setCaption(window.progressLabel, atRest);
    return true;
}

void MemoryReaderContext::beginTransfer(int progressMaximum, const QString& status) const {
    link.discardInput();
    window.showTransferNote({});
    window.setCompactSize();
    window.repaint();
    window.progressBar->setRange(0, progressMaximum);
    window.progressBar->show();
    showStatus(status);
}

void MemoryReaderContext::showStatus(const QString& caption) const {
    MemoryReaderWindow::setCaption(window.progressLabel, caption);
    window.progressLabel->repaint();
    window.repaint();
}

} // namespace callcfg
