#pragma once

#include <functional>

class QCoreApplication;

namespace byzel {

// Catches SIGTERM, SIGHUP and SIGINT and calls onSignal with the signal's number from the event
// loop that runs at the time: the main loop, or the loop of a modal dialog. Until then the
// program goes on; it is onSignal's task to end it.
void watchTerminationSignals(QCoreApplication& application, std::function<void(int)> onSignal);

// Ends the process at once as the signal's default action does, so whoever started the program
// sees that the signal ended it. Nothing is unwound: the caller tidies up first.
[[noreturn]] void endBySignal(int signal);

} // namespace byzel
