#pragma once
// The test mode of the main window: the test button starts and stops the poll timer,
// which shows every read of the port in the test window as a line of hexadecimal numbers.
// Late bytes that the link drops before a request are shown as the poll would have shown them.

#include "link/linkobserver.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <span>

namespace callcfg {

class MainWindow;
class Link;
class ChosenPort;

// The test window's text for one read: each byte in upper-case hexadecimal without a leading
// zero, followed by one blank; the line ends with CR LF.
QString hexLine(std::span<const std::uint8_t> bytes);

class TestMode final : public QObject, private LinkObserver {
    Q_OBJECT
public:
    TestMode(MainWindow& form, Link& link, ChosenPort& port);
    ~TestMode() override;

    bool isOn() const { return on_; }

private:
    void toggle();
    void poll();
    void show(std::span<const std::uint8_t> bytes);
    void dropped(std::span<const std::uint8_t> bytes) override;

    MainWindow& form_;
    Link& link_;
    ChosenPort& port_;
    bool on_ = false;
};

} // namespace callcfg
