#include "core/dumpfile/workfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace byzel {
namespace {

std::string defaultTemporaryRoot() {
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir && *tmpdir ? tmpdir : "/tmp";
}

} // namespace

WorkFolder::WorkFolder() : WorkFolder(defaultTemporaryRoot()) {}

WorkFolder::WorkFolder(std::string temporaryRoot) : m_root(std::move(temporaryRoot)) {}

WorkFolder::~WorkFolder() {
    if (m_folder.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool WorkFolder::ensureFolder() {
    // A cleaner of the temporary folder may have taken the folder away during a long run.
    struct stat st;
    if (!m_folder.empty() && ::lstat(m_folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    std::error_code ec;
    std::filesystem::path root = std::filesystem::absolute(m_root, ec);
    if (ec)
        return false;
    std::string pattern = (root / "Byzel-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return false;
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

} // namespace byzel
