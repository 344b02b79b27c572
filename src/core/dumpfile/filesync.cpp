#include "core/dumpfile/filesync.h"

#include "core/dumpfile/uniquefd.h"

#include <fcntl.h>
#include <unistd.h>

#include <thread>
#include <utility>

namespace byzel {

FileSync::FileSync(int fd) {
    // The thread holds the file itself, so it may outlive whoever made it.
    std::packaged_task<bool()> sync([file = UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 0))] {
        return file.valid() && ::fsync(file.get()) == 0;
    });
    m_synced = sync.get_future();
    std::thread(std::move(sync)).detach();
}

bool FileSync::wait() {
    return m_synced.get();
}

} // namespace byzel
