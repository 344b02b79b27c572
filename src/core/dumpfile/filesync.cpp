#include "core/dumpfile/filesync.h"

#include <unistd.h>

#include <thread>
#include <utility>

namespace byzel {

FileSync::FileSync(UniqueFd file) {
    std::packaged_task<bool()> sync(
        [file = std::move(file)] { return file.valid() && ::fsync(file.get()) == 0; });
    m_synced = sync.get_future();
    std::thread(std::move(sync)).detach();
}

bool FileSync::wait() {
    return m_synced.get();
}

} // namespace byzel
