#pragma once
// The wired program against the simulated host unit with form3 opened by Command12, and
// helpers to drive its file dialog and to make the memories its images are compared with.

#include "endtoend.h"
#include "memoryreader/memoryreaderwindow.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdint>
#include <vector>

namespace readertest {

using Memory = std::array<std::uint8_t, 8192>;
using Receiver = std::array<std::uint8_t, 256>;

// Every wait at two fifths of its length: a host read takes about 5 s. Periods of 10 ms (0.05)
// were missed now and then on a loaded two-core machine, a download's 30 ms (0.1) and a read's
// 40 ms (0.2) once each under the sanitizers at a load of 4; a read's 80 ms holds there.
inline constexpr double kTimeScale = 0.4;

struct ReaderRun : testsupport::EndToEnd {
    ReaderRun() : EndToEnd(kTimeScale) {
        QTest::mouseClick(mainWindow().memoryReaderButton, Qt::LeftButton);
    }

    callcfg::MemoryReaderWindow& w() { return *program->memoryReader->readerWindow(); }
    callcfg::Images& images() { return program->images; }

    void setMemory(const Memory& m) {
        host.withUnit([&](hostsim::HostUnit& u) { u.setMemory(m); });
    }
    Memory memory() {
        return host.withUnit([](hostsim::HostUnit& u) { return u.memory(); });
    }
    void setReceiver(int which, const Receiver& r) {
        host.withUnit([&](hostsim::HostUnit& u) { u.setReceiverImage(which, r); });
    }
    void fault(const hostsim::Fault& f) {
        host.withLine([&](hostsim::HostLine& l) { l.addFault(f); });
    }
    // Block numbers of the 0x18 writes the host unit received.
    std::vector<int> writtenBlocks() {
        std::vector<int> blocks;
        for (const auto& r : host.withLine([](hostsim::HostLine& l) { return l.takeRequests(); }))
            if (r.command == 0x18)
                blocks.push_back(r.data.at(0));
        return blocks;
    }
    // Text1 with its line breaks written as CR LF, as the listings and the dump build them.
    QString text1() { return w().listingText->toPlainText().replace(QLatin1Char('\n'), "\r\n"); }
};

// Answers the next file dialog `name` with `path`, or cancels it when `path` is empty; `shown`
// receives the name the dialog offered.
inline void answerDialog(const QString& path, QString* shown = nullptr,
                         const QString& name = QStringLiteral("CommonDialog1")) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, path, shown, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        QCOMPARE(dialog->objectName(), name);
        if (shown)
            *shown = dialog->selectedFiles().value(0);
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            // selectFile leaves the name field alone while it has the focus: type the name.
            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        }
        timer->deleteLater();
    });
    timer->start(5);
}

inline Memory randomMemory(quint32 seed) {
    QRandomGenerator random(seed);
    Memory m;
    for (auto& b : m)
        b = static_cast<std::uint8_t>(random.bounded(256));
    return m;
}

// Every block holds the reply header pattern at the given place, the rest a counting pattern.
template <std::size_t N> std::array<std::uint8_t, N> withHeaders(std::uint8_t command, int at) {
    std::array<std::uint8_t, N> m;
    for (std::size_t i = 0; i < N; ++i)
        m[i] = static_cast<std::uint8_t>(i * 7 + 3);
    for (std::size_t block = 0; block < N / 128; ++block) {
        const std::uint8_t header[] = {0x55, 0xAA, 0x02, command, 0x80};
        std::copy(std::begin(header), std::end(header), m.begin() + block * 128 + at);
    }
    return m;
}

} // namespace readertest
