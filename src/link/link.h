#pragma once
// The serial link to the host unit: the program-wide frame and reply buffers and flags,
// the port's opening and closing, sending a frame and awaiting its reply.
//
// One Link lives for the whole run and is passed by reference to every window. Every
// command handler takes the same road: ensurePortOpen(), fill frameBuffer, sendFrame(),
// set waitPeriods and periodLength, awaitReply(), then look at replyComplete.

#include "link/frame.h"
#include "link/portmap.h"
#include "link/serialport.h"
#include "ui/boxkind.h"

#include <QObject>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace callcfg {

// A fault of the port while a command runs (a write the device refused). The command
// handler ends with its own failure box.
struct PortFault : std::runtime_error {
    PortFault() : std::runtime_error("serial port fault") {}
};

class Link : public QObject {
    Q_OBJECT
public:
    Link(std::unique_ptr<SerialPort> port, PortMap portMap, QObject* parent = nullptr);
    ~Link() override;

    ByteBuffer frameBuffer{};
    ByteBuffer replyBuffer{};
    std::vector<std::uint8_t> receivedBytes;
    bool replyComplete = false;
    bool portOpen = false;
    std::uint8_t waitPeriods = 0;
    double periodLength = 1.0;

    // Shows the link's own boxes (port failure, bad checksum).
    void setBoxSink(std::function<void(const Box&)> sink) { boxSink_ = std::move(sink); }
    // Repaints the main window after a frame has been sent.
    void setRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // Runs between short sleeps of a wait; may only paint, never run program handlers.
    void setIdle(std::function<void()> idle) { idle_ = std::move(idle); }

    // The text of the port list, whose last character names the port to open.
    void setPortListText(const QString& text) { portListText_ = text; }
    QString portListText() const { return portListText_; }
    const PortMap& portMap() const { return portMap_; }

    // The start state the main window's load sets: port closed, RTS off, waits reset.
    void resetForLoad();

    // Opens the chosen port unless it is open; on failure shows the port box and leaves
    // portOpen false.
    void ensurePortOpen();
    // Open/close button and the double-click on the port label.
    void togglePort();
    // Choosing an entry of the port list closes the port.
    void portListClicked();

    // Completes the frame in frameBuffer with its checksum and hands every byte of it to
    // the device before returning. Throws PortFault when the device refuses a byte.
    void sendFrame();
    // Waits waitPeriods periods of periodLength seconds and takes the reply to
    // frameBuffer[1] at the end of a period: sets replyComplete and fills replyBuffer.
    void awaitReply();
    // One tick of the test window's poll: the hex line of what arrived, or empty.
    QString receivePoll();
    // Reads and drops everything waiting at the port.
    void discardInput();

    // Multiplies every wait period. 1.0 in the product; only tests shorten waits.
    void setTimeScale(double scale) { timeScale_ = scale; }
    double timeScale() const { return timeScale_; }

signals:
    // The port was opened or closed; the main window shows it in its indicators.
    void portStateChanged(bool open);

private:
    bool openChosenPort();
    void sleepOnePeriod();
    void showBox(const Box& box);

    std::unique_ptr<SerialPort> port_;
    PortMap portMap_;
    QString portListText_ = QStringLiteral("COM1");
    double timeScale_ = 1.0;
    std::function<void(const Box&)> boxSink_;
    std::function<void()> repaint_;
    std::function<void()> idle_;
};

} // namespace callcfg
