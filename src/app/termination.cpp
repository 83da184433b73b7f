#include "app/termination.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <QEvent>

#include <windows.h>
#endif

namespace callcfg {

#ifdef Q_OS_UNIX
namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void quitOnTermination(QObject* application) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, application);
    QObject::connect(notifier, &QSocketNotifier::activated, application, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
#elif defined(Q_OS_WIN)
namespace {

// Runs on a thread of its own, from where posting an event is safe.
BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
    return TRUE;
}

} // namespace

void quitOnTermination(QObject*) {
    SetConsoleCtrlHandler(nullptr, FALSE); // Ctrl+C, even if the parent had it ignored
    SetConsoleCtrlHandler(onConsoleControl, TRUE);
}
#else
void quitOnTermination(QObject*) {}
#endif

} // namespace callcfg
