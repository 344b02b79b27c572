#pragma once

class QCoreApplication;

namespace byzel {

// Makes SIGTERM, SIGHUP and SIGINT end the event loop instead of the process, so that the
// program unwinds and removes its work folder (with the copy of the dump file) on the way out,
// as it does when the user closes it.
void quitOnTerminationSignals(QCoreApplication& application);

} // namespace byzel
