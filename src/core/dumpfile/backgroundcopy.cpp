#include "core/dumpfile/backgroundcopy.h"

#include "core/dumpfile/filecopy.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>

namespace byzel {
namespace {

// How often a waiting caller hears how far the copy came.
constexpr auto kReportInterval = std::chrono::milliseconds(50);
// The copy yields to the window, which draws the first page meanwhile.
constexpr int kCopyNiceness = 10;

} // namespace

BackgroundCopy::BackgroundCopy(int in, int out, CopyPacing pacing, std::function<void()> onFinished)
    : m_pacing(std::move(pacing)),
      m_thread([this, in, out, onFinished = std::move(onFinished)](std::stop_token stop) {
          run(stop, in, out, onFinished);
      }) {}

BackgroundCopy::~BackgroundCopy() {
    stop();
}

void BackgroundCopy::stop() {
    m_thread.request_stop();
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundCopy::run(std::stop_token stop, int in, int out, std::function<void()> onFinished) {
    // Linux gives each thread its own niceness; failing to lower it changes nothing else.
    (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kCopyNiceness);
    const bool ok = copyFileData(
        in, out,
        [&](std::int64_t done, std::int64_t total) {
            m_done = done;
            m_total = total;
            if (m_pacing.afterChunk && done < total)
                m_pacing.afterChunk(done);
            return !stop.stop_requested();
        },
        m_pacing.chunkBytes);
    {
        std::lock_guard lock(m_mutex);
        m_succeeded = ok;
        m_finished = true;
    }
    m_ended.notify_all();
    if (!stop.stop_requested() && onFinished)
        onFinished();
}

bool BackgroundCopy::wait(const ProgressFn& progress) const {
    std::unique_lock lock(m_mutex);
    while (!m_finished) {
        if (progress && !progress(m_done, m_total))
            return false;
        m_ended.wait_for(lock, kReportInterval);
    }
    return true;
}

} // namespace byzel
