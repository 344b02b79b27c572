#include "app/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace byzel {
namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only write to a descriptor; the event loop reads the other end.
int g_signalPipe[2] = {-1, -1};

void onTerminationSignal(int signal) {
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

void watchTerminationSignals(QCoreApplication& application, std::function<void(int)> onSignal) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application,
                     [onSignal = std::move(onSignal)] {
                         unsigned char byte = 0;
                         while (::read(g_signalPipe[1], &byte, 1) == 1)
                             onSignal(byte);
                     });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kWatchedSignals)
        ::sigaction(signal, &action, nullptr);
}

void endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
    ::_exit(128 + signal);
}

} // namespace byzel
