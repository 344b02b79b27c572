#include "search/progressrunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <thread>

namespace byzel {
namespace {

constexpr int kQuietMilliseconds = 500;
constexpr int kPollMilliseconds = 20;

} // namespace

void ProgressTaskRunner::run(const std::function<void(TaskProgress&)>& work) {
    TaskProgress progress;
    std::atomic<bool> finished{false};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::thread worker([&] {
        work(progress);
        finished.store(true);
    });
    // Short work ends before anyone notices; input waits meanwhile, so nothing else starts.
    QElapsedTimer clock;
    clock.start();
    while (!finished.load() && clock.elapsed() < kQuietMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    if (!finished.load()) {
        QProgressDialog dialog(m_label, QStringLiteral("中止"), 0, 1000, m_parent);
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        dialog.setObjectName(QStringLiteral("taskProgress"));
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            const auto total = progress.total();
            if (total > 0)
                dialog.setValue(static_cast<int>(progress.done() * 1000 / total));
            // Esc and closing the dialog cancel too, without the button's signal.
            if (dialog.wasCanceled())
                progress.cancel();
            if (finished.load())
                loop.quit();
        });
        QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] { progress.cancel(); });
        dialog.show();
        poll.start(kPollMilliseconds);
        loop.exec();
    }
    worker.join();
    QApplication::restoreOverrideCursor();
}

} // namespace byzel
