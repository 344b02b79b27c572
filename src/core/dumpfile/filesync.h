#pragma once

#include "core/dumpfile/uniquefd.h"

#include <future>

namespace byzel {

// Sends a file to the disk on a thread of its own, from the moment it is made, so that the disk
// works while the program goes on (asking the user, reloading). Whoever needs the file on disk
// waits for it; should nobody, the sync ends by itself and nothing waits for it.
class FileSync {
public:
    // Takes the descriptor, so the sync may outlive whoever made the file.
    explicit FileSync(UniqueFd file);

    // Waits until the file is on disk; false when that failed. Asked once.
    [[nodiscard]] bool wait();

private:
    std::future<bool> m_synced;
};

} // namespace byzel
