#include "app/ExitSignals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace noctiva::app {

namespace {

// The write end of the pipe the signal handler writes into; the only thing a
// signal handler may safely touch.
int g_signalFd[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalFd[0], &byte, 1);
}

}  // namespace

ExitSignals::ExitSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalFd) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(g_signalFd[1], QSocketNotifier::Read, this);
    QObject::connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalFd[1], &byte, 1);
        notifier->setEnabled(false);
        if (onSignal_) {
            onSignal_();
        }
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

ExitSignals::~ExitSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

}  // namespace noctiva::app
