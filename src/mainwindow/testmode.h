#pragma once
// The test mode of the main window: the test button starts and stops the poll of Timer1,
// which shows every read of the port in the test window as a line of hexadecimal numbers.

#include <QObject>

namespace callcfg {

class Form1;
class Link;
class PortGate;

class TestMode final : public QObject {
    Q_OBJECT
public:
    TestMode(Form1& form, Link& link, PortGate& port);

    bool isOn() const { return on_; }

private:
    void toggle();
    void poll();

    Form1& form_;
    Link& link_;
    PortGate& port_;
    bool on_ = false;
};

} // namespace callcfg
