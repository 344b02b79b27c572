#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace byzel {

// Shared between a long piece of work and whoever watches it, possibly from another thread:
// the work reports how far it got and stops when asked to.
class TaskProgress {
public:
    virtual ~TaskProgress() = default;

    void setTotal(std::int64_t total) { m_total.store(total); }
    // Reports the work done so far; false when the work should stop now.
    virtual bool advance(std::int64_t done) {
        m_done.store(done);
        return !m_cancelled.load();
    }
    void cancel() { m_cancelled.store(true); }
    [[nodiscard]] bool cancelled() const { return m_cancelled.load(); }
    [[nodiscard]] std::int64_t done() const { return m_done.load(); }
    [[nodiscard]] std::int64_t total() const { return m_total.load(); }

private:
    std::atomic<std::int64_t> m_done{0};
    std::atomic<std::int64_t> m_total{0};
    std::atomic<bool> m_cancelled{false};
};

// Runs long work to its end, or until the user cancels it. The desktop program runs it off the
// interface thread behind a progress dialog; tests and the command line run it in place.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    // Returns when the work has returned; progress.cancelled() tells whether it was asked to
    // stop.
    virtual void run(const std::function<void(TaskProgress&)>& work) = 0;
};

class InlineTaskRunner final : public TaskRunner {
public:
    void run(const std::function<void(TaskProgress&)>& work) override {
        TaskProgress progress;
        work(progress);
    }
};

} // namespace byzel
