#include "core/dumpfile/backup.h"

#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/uniquefd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel {

std::string backupPathFor(std::string_view path) {
    const auto separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos)
        return {};
    const std::string_view folder = path.substr(0, separator + 1);
    const std::string_view name = path.substr(separator + 1);
    std::string backup(folder);
    if (auto dot = name.rfind('.'); dot != std::string_view::npos)
        backup.append(name.substr(0, dot)).append("_Back").append(name.substr(dot));
    else
        backup.append(name).append("_Back");
    return backup;
}

bool backupDumpFile(const std::string& path) {
    const std::string backup = backupPathFor(path);
    if (backup.empty())
        return false;
    UniqueFd source(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (!source.valid() || ::fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::string tempPath;
    UniqueFd copy(createTempBeside(backup, st.st_mode & 0777, tempPath));
    if (!copy.valid())
        return false;
    // The backup is what is left should the rewrite that follows go wrong: make it durable.
    const bool done = copyFileData(source.get(), copy.get()) && ::fsync(copy.get()) == 0 &&
                      copy.close() && ::rename(tempPath.c_str(), backup.c_str()) == 0;
    if (!done)
        ::unlink(tempPath.c_str());
    return done;
}

namespace {

// Gives the dump file's data the backup's name too, replacing an older backup at once.
bool linkBackup(const std::string& path) {
    const std::string backup = backupPathFor(path);
    if (backup.empty())
        return false;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const std::string tempPath = tempNameBeside(backup, attempt);
        // A dump path that is a link to the file names the file's data, not the link.
        if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (::rename(tempPath.c_str(), backup.c_str()) == 0)
            return true;
        ::unlink(tempPath.c_str());
        return false;
    }
    return false;
}

} // namespace

bool backupBeforeReplacing(const std::string& path) {
    return linkBackup(path) || backupDumpFile(path);
}

FileAttributes makeWritable(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return {};
    FileAttributes before{(st.st_mode & S_IWUSR) == 0, false};
    if (before.readOnly)
        ::chmod(path.c_str(), (st.st_mode | S_IWUSR) & 07777);
    return before;
}

void restoreAttributes(const std::string& path, FileAttributes attributes) {
    struct stat st;
    if (!attributes.readOnly || ::stat(path.c_str(), &st) != 0)
        return;
    ::chmod(path.c_str(), (st.st_mode & ~S_IWUSR) & 07777);
}

} // namespace byzel
