#pragma once

#include "core/ui/progress.h"

#include <QString>

class QWidget;

namespace byzel {

// Runs long work on a worker thread so the window keeps painting. Input to the program waits
// until the work is done and the wait cursor shows; when it takes longer than about half a
// second a modal progress dialog with "中止" appears, and the button (or closing the dialog)
// asks the work to stop through its ProgressFn.
//
// The work must not touch widgets, and must leave what the user sees unchanged: the caller
// takes over its result on the interface thread once run returns true.
class ProgressRunner {
public:
    // How long the work runs before the dialog shows.
    static constexpr int kDialogDelayMs = 500;

    // True when the work ran to its end and reported success; false when it failed, ran out of
    // memory or the user stopped it.
    static bool run(QWidget* parent, const QString& label, const Pass& work);
    // The same as a runner for core code that takes one.
    static PassRunner runnerFor(QWidget* parent, const QString& label);
    // Whether some work runs now; the work it reads must not change meanwhile.
    [[nodiscard]] static bool isRunning() { return s_running > 0; }

private:
    static inline int s_running = 0;
};

} // namespace byzel
