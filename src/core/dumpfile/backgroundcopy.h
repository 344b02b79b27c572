#pragma once

#include "core/ui/progress.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace byzel {

// How a background copy goes: the size of the steps between which it looks whether to stop,
// and a call after each step (on the copying thread) by which tests hold the copy where they
// want it.
struct CopyPacing {
    std::int64_t chunkBytes = std::int64_t{8} << 20;
    std::function<void(std::int64_t done)> afterChunk;
};

// Copies one file into another on a thread of its own. Both descriptors are borrowed and must
// stay open until the object is gone. Destroying it stops the copy within one step.
class BackgroundCopy {
public:
    // onFinished is called on the copying thread once the copy ended by itself, whether it
    // succeeded or not; never after stop.
    BackgroundCopy(int in, int out, CopyPacing pacing, std::function<void()> onFinished);
    ~BackgroundCopy();
    BackgroundCopy(const BackgroundCopy&) = delete;
    BackgroundCopy& operator=(const BackgroundCopy&) = delete;

    // Asks the copy to stop and waits until it has.
    void stop();
    [[nodiscard]] bool finished() const { return m_finished.load(); }
    // Whether the copy ended complete; meaningful once finished.
    [[nodiscard]] bool succeeded() const { return m_succeeded.load(); }
    [[nodiscard]] std::int64_t done() const { return m_done.load(); }
    [[nodiscard]] std::int64_t total() const { return m_total.load(); }
    // Waits until the copy has ended, telling progress how far it came. False when progress
    // stopped the wait; the copy goes on then.
    bool wait(const ProgressFn& progress) const;

private:
    void run(std::stop_token stop, int in, int out, std::function<void()> onFinished);

    CopyPacing m_pacing;
    std::atomic<std::int64_t> m_done = 0;
    std::atomic<std::int64_t> m_total = 0;
    std::atomic<bool> m_finished = false;
    std::atomic<bool> m_succeeded = false;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_ended;
    // Last, so everything above exists before the thread starts.
    std::jthread m_thread;
};

} // namespace byzel
