#pragma once
// The program's other windows kept from input while one of them runs something long that uses
// the port (the search for the host unit, a site sheet's run): every window shown and enabled
// when it starts is disabled, and enabled again when it ends.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace callcfg {

class OtherWindowsPaused {
public:
    // Every shown top-level window but `running`.
    explicit OtherWindowsPaused(const QWidget* running);
    ~OtherWindowsPaused();
    OtherWindowsPaused(const OtherWindowsPaused&) = delete;
    OtherWindowsPaused& operator=(const OtherWindowsPaused&) = delete;

private:
    QList<QPointer<QWidget>> paused_;
};

} // namespace callcfg
