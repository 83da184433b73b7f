#pragma once
// The test mode of the main window: the test button starts and stops the poll timer,
// which shows every read of the port in the test window as a line of hexadecimal numbers.
// Late bytes that the link drops before a request are shown as the poll would have shown them.

#include "link/linkobserver.h"

#include <QObject>

namespace callcfg {

class MainWindow;
class Link;
class PortGate;

class TestMode final : public QObject, private LinkObserver {
    Q_OBJECT
public:
    TestMode(MainWindow& form, Link& link, PortGate& port);
    ~TestMode() override;

    bool isOn() const { return on_; }

private:
    void toggle();
    void poll();
    void show(std::span<const std::uint8_t> bytes);
    void dropped(std::span<const std::uint8_t> bytes) override;

    MainWindow& form_;
    Link& link_;
    PortGate& port_;
    bool on_ = false;
};

} // namespace callcfg
