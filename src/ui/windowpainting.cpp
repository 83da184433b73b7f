#include "ui/windowpainting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

namespace callcfg {
namespace {

// Swallows timer events while installed. A timer whose event is swallowed stays registered,
// so it fires again at its next interval: timers are delayed, never lost.
class TimerHold : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

} // namespace

void letWindowsPaint(int maxMs, std::function<bool()> done) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    constexpr auto flags = QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers;
    TimerHold hold;
    app->installEventFilter(&hold);
    // A short repeating timer bounds each blocking pass; its own events are swallowed too.
    QTimer wake;
    wake.start(5);
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents(flags);
    while (!(done && done()) && clock.elapsed() < maxMs)
        QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    wake.stop();
    app->removeEventFilter(&hold);
}

} // namespace callcfg
