#include "app/signalshutdown.h"

#include "app/tormelapp.h"
#include "core/workflow/recovery.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <iostream>

namespace byzel {
namespace {

// Long enough for the windows to close, short enough for a logout that will not wait.
constexpr int kGraceMilliseconds = 3000;

} // namespace

SignalShutdown::SignalShutdown(CTormelApp& app, std::string dataFolder, Ender end)
    : m_app(app), m_dataFolder(std::move(dataFolder)), m_end(std::move(end)) {}

void SignalShutdown::onSignal(int signal) {
    // A second signal means: now.
    if (m_ending) {
        endNow(signal);
        return;
    }
    m_ending = true;
    // Standard error may lead into a pipe nobody reads any more; that must not end us early.
    std::signal(SIGPIPE, SIG_IGN);
    saveUnsavedMarkers(signal);
    // Nothing is left for the closing windows to ask about: the markers are saved, or nowhere
    // would take them.
    m_app.work().storeModified(false);
    // A modal dialog or a menu waits for an answer nobody will give, and the code that opened
    // it would go on with whatever it got back: end without returning to it.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        endNow(signal);
        return;
    }
    // Otherwise close the windows as the user would, so the window placement and the print
    // settings are kept; if that does not end the program in time, end it anyway.
    QTimer::singleShot(kGraceMilliseconds, QCoreApplication::instance(),
                       [this, signal] { endNow(signal); });
    QCoreApplication::quit();
}

void SignalShutdown::saveUnsavedMarkers(int signal) {
    Work& work = m_app.work();
    if (!work.isOpen() || !work.modified())
        return;
    const std::string path = saveRecoveryFile(work, m_dataFolder);
    if (path.empty()) {
        std::cerr << "byzel: ended by signal " << signal << " (" << ::strsignal(signal)
                  << "); the unsaved markers could not be written anywhere\n";
        return;
    }
    rememberRecoveryFile(m_app.settings(), path);
    std::cerr << "byzel: ended by signal " << signal << " (" << ::strsignal(signal)
              << "); the unsaved markers are in " << path << "\n";
}

void SignalShutdown::endNow(int signal) {
    m_app.workFolder().remove();
    m_app.settings().sync();
    m_end(signal);
}

} // namespace byzel
