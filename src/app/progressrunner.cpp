#include "app/progressrunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <limits>
#include <memory>
#include <new>

namespace byzel {
namespace {

constexpr int kSteps = 1000;
constexpr int kTickMs = 50;

} // namespace

bool ProgressRunner::run(QWidget* parent, const QString& label, const Pass& work) {
    std::atomic<bool> stopRequested = false;
    std::atomic<std::int64_t> done = 0;
    std::atomic<std::int64_t> total = 0;
    bool succeeded = false;

    const ProgressFn progress = [&](std::int64_t d, std::int64_t t) {
        done = d;
        total = t;
        return !stopRequested.load();
    };
    // An exception must not leave the worker: it would end the program.
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            succeeded = work(progress);
        } catch (const std::bad_alloc&) {
            succeeded = false;
        }
    }));

    QProgressDialog dialog(label, QStringLiteral("中止"), 0, kSteps, parent);
    dialog.setWindowTitle(QStringLiteral("Byzel"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // We show it ourselves, after the delay; its own timer must not.
    dialog.setMinimumDuration(std::numeric_limits<int>::max());
    dialog.reset();
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] { stopRequested = true; });

    QEventLoop loop;
    bool finished = false;
    QObject::connect(thread.get(), &QThread::finished, &loop, [&] { finished = true; });
    QTimer tick;
    // Work that cannot tell how far it came (a sync, a backup) shows as busy, not stuck at 0.
    dialog.setRange(0, 0);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const std::int64_t t = total;
        if (t <= 0)
            return;
        dialog.setMaximum(kSteps);
        dialog.setValue(static_cast<int>(done * kSteps / t));
    });
    tick.start(kTickMs);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++s_running;
    QElapsedTimer clock;
    clock.start();
    thread->start();
    while (!finished) {
        if (!dialog.isVisible() && !stopRequested && clock.elapsed() >= kDialogDelayMs) {
            dialog.reset();
            dialog.show();
        }
        // Before the dialog shows nothing may start another command meanwhile.
        loop.processEvents(
            QEventLoop::WaitForMoreEvents |
            (dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    }
    thread->wait();
    --s_running;
    dialog.hide();
    QApplication::restoreOverrideCursor();
    return succeeded && !stopRequested;
}

PassRunner ProgressRunner::runnerFor(QWidget* parent, const QString& label) {
    return [parent, label](const Pass& work) { return run(parent, label, work); };
}

} // namespace byzel
