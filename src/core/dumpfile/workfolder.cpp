#include "core/dumpfile/workfolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace byzel {
namespace {

constexpr std::string_view kFolderPrefix = "Byzel-";
// mkdtemp replaces the six X with letters and digits.
constexpr std::size_t kFolderSuffixLength = 6;

bool isWorkFolderName(std::string_view name) {
    if (name.size() != kFolderPrefix.size() + kFolderSuffixLength ||
        !name.starts_with(kFolderPrefix))
        return false;
    const std::string_view suffix = name.substr(kFolderPrefix.size());
    return std::all_of(suffix.begin(), suffix.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Makes the lock file of a new folder and takes its lock. It is locked under a passing name and
// only then given its own, so no starting program can find it unlocked and take the folder.
UniqueFd lockNewFolder(const std::string& folder) {
    const std::string passing = folder + "/" + std::string(kLockFileName) + ".new";
    const std::string named = folder + "/" + std::string(kLockFileName);
    UniqueFd fd(::open(passing.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid())
        return {};
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::rename(passing.c_str(), named.c_str()) != 0) {
        ::unlink(passing.c_str());
        return {};
    }
    return fd;
}

bool removeIfStale(const std::string& folder) {
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    const std::string lock = folder + "/" + std::string(kLockFileName);
    // Without a lock file the folder is being made right now, or is not ours to judge.
    UniqueFd fd(::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    // Removed while we hold the lock, so no other starting program judges it meanwhile.
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return !ec;
}

} // namespace

std::string temporaryRoot() {
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir && *tmpdir ? tmpdir : "/tmp";
}

WorkFolder::WorkFolder() : WorkFolder(temporaryRoot()) {}

WorkFolder::WorkFolder(std::string root) : m_root(std::move(root)) {}

WorkFolder::~WorkFolder() {
    remove();
}

void WorkFolder::remove() {
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        m_folder.clear();
    }
    m_lock.reset();
}

bool WorkFolder::ensureFolder() {
    // A cleaner of the temporary folder may have taken the folder away during a long run.
    struct stat st;
    if (!m_folder.empty() && ::lstat(m_folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    m_lock.reset();
    std::error_code ec;
    std::filesystem::path root = std::filesystem::absolute(m_root, ec);
    if (ec)
        return false;
    std::string pattern = (root / (std::string(kFolderPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return false;
    m_lock = lockNewFolder(pattern);
    if (!m_lock.valid()) {
        std::filesystem::remove_all(pattern, ec);
        return false;
    }
    m_folder = std::move(pattern);
    return true;
}

std::string WorkFolder::filePath(std::string_view name) {
    if (!ensureFolder())
        return {};
    std::string path = m_folder;
    path.append("/").append(name);
    return path;
}

void WorkFolder::removeWorkFiles() {
    if (m_folder.empty())
        return;
    for (std::string_view name : {kWorkingCopyName, kScratchFileName}) {
        std::string path = m_folder;
        path.append("/").append(name);
        ::unlink(path.c_str());
    }
}

int reclaimStaleWorkFolders(const std::string& root) {
    int removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (isWorkFolderName(it->path().filename().string()) && removeIfStale(it->path().string()))
            ++removed;
    }
    return removed;
}

} // namespace byzel
