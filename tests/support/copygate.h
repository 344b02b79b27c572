#pragma once

#include "core/dumpfile/backgroundcopy.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace byzel::testing {

// Holds a background copy after its first chunk until released, so a test sees it half done.
class CopyGate {
public:
    CopyGate() = default;
    CopyGate(const CopyGate&) = delete;
    CopyGate& operator=(const CopyGate&) = delete;
    ~CopyGate() {
        release();
        if (m_releaser.joinable())
            m_releaser.join();
    }

    [[nodiscard]] CopyPacing pacing(std::int64_t chunkBytes) {
        return {chunkBytes, [this](std::int64_t) {
                    std::unique_lock lock(m_mutex);
                    m_held = true;
                    m_changed.notify_all();
                    m_changed.wait(lock, [this] { return m_open; });
                }};
    }
    // Returns once the copy waits at the gate.
    void waitUntilHeld() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_held; });
    }
    void release() {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    // Releases from another thread a little later, while this one is busy waiting or stopping.
    void releaseSoon() {
        m_releaser = std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            release();
        });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    bool m_open = false;
    std::thread m_releaser;
};

} // namespace byzel::testing
