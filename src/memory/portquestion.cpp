#include "memory/portquestion.h"

#include "link/link.h"
#include "link/trafficlog.h"
#include "memory/blocktransfer.h"

#include <QThread>

#include <condition_variable>
#include <mutex>

namespace callcfg {

struct PortQuestion::State {
    std::mutex mutex;
    std::condition_variable changed;
    Progress progress;
};

namespace {

// Asks on the calling thread; `judged` is told the answer before the port is closed.
void ask(const PortTarget& target, const QuestionSettings& settings,
         const std::function<void(const Probe&)>& judged) {
    Link link(settings.makePort());
    link.setTimeScale(settings.timeScale);
    std::optional<TrafficLog> log;
    if (settings.log) {
        log.emplace(link, settings.log);
        link.addObserver(&*log);
    }
    Probe probe{target, ProbeAnswer::NoAnswer, {}};
    if (!link.open(target.device, target.name())) {
        probe.answer = ProbeAnswer::NotOpened;
        probe.reason = link.portError();
        probe.failure = link.portFailure();
    } else {
        const BlockPlan plan = hostReadPlan();
        const Outcome outcome = link.exchange(plan.request(0), plan.wait(0));
        if (const auto* replied = std::get_if<Replied>(&outcome)) {
            if (static_cast<int>(replied->data.size()) == plan.replyLength)
                probe.answer = ProbeAnswer::HostUnit;
        } else if (const auto* lost = std::get_if<PortFault>(&outcome)) {
            probe.reason = lost->reason;
            if (lost->stalled)
                probe.failure = PortFailure::Stalled;
        }
    }
    judged(probe);
    link.close();
    link.setRts(false);
    if (log)
        link.removeObserver(&*log);
}

} // namespace

PortQuestion::PortQuestion(const PortTarget& target, const QuestionSettings& settings)
    : state_(std::make_shared<State>()) {
    // The thread holds the state, and copies of everything else it uses, until it ends. It is
    // a QThread, whose event dispatcher the port's notifiers need, and deletes itself.
    QThread* thread = QThread::create([state = state_, target, settings]() {
        ask(target, settings, [&](const Probe& probe) {
            const std::lock_guard lock(state->mutex);
            state->progress.answer = probe;
            state->changed.notify_all();
        });
        const std::lock_guard lock(state->mutex);
        state->progress.closed = true;
        state->changed.notify_all();
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread_ = thread;
    thread->start();
}

PortQuestion::~PortQuestion() {
    // Past `closed` the thread only returns, yet it still posts its deletion and tears down
    // its data: a program that ends meanwhile may crash or hang in its exit.
    if (thread_ && waitUntil(Clock::now()).closed)
        thread_->wait();
}

PortQuestion::Progress PortQuestion::waitUntil(Clock::time_point until) {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait_until(lock, until, [this] { return state_->progress.closed; });
    return state_->progress;
}

} // namespace callcfg
