#pragma once

#include <functional>
#include <string>

namespace byzel {

class CTormelApp;

// What the program does when told to end by a signal (logout, `kill`, Ctrl+C): there is nobody
// to answer "変更を保存しますか", so unsaved markers go to a recovery file, named on standard
// error and told at the next start, and the program ends within moments with its work folder
// removed, even while a modal dialog is open.
class SignalShutdown {
public:
    // How the process finally ends; tests put something in place of endBySignal.
    using Ender = std::function<void(int signal)>;

    // dataFolder takes the recovery file of an unnamed work.
    SignalShutdown(CTormelApp& app, std::string dataFolder, Ender end);

    // Called with each termination signal from the running event loop.
    void onSignal(int signal);

private:
    void saveUnsavedMarkers(int signal);
    void endNow(int signal);

    CTormelApp& m_app;
    std::string m_dataFolder;
    Ender m_end;
    bool m_ending = false;
};

} // namespace byzel
