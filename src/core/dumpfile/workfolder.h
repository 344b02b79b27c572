#pragma once

#include "core/dumpfile/uniquefd.h"

#include <string>
#include <string_view>

namespace byzel {

// The working copy of the open dump file, read by every reader of dump bytes.
inline constexpr std::string_view kWorkingCopyName = "Byzel.tmp";
// The replace console's scratch copy of the dump file.
inline constexpr std::string_view kScratchFileName = "Temp.tmp";
// Held locked by the running program that owns the folder; a folder whose lock anyone can take
// was left by a program that ended without removing it.
inline constexpr std::string_view kLockFileName = "Byzel.lock";

// The user's temporary folder: $TMPDIR, or /tmp when that is not set.
[[nodiscard]] std::string temporaryRoot();

// A folder of this running program alone, made on first use under the temporary folder with
// "Byzel" in its name and mode 0700, and removed with everything in it when the object goes.
// Being private, two running programs never share a working copy and nobody else can put a
// link where we write.
class WorkFolder {
public:
    WorkFolder();
    explicit WorkFolder(std::string temporaryRoot);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // Full path of the named file in the folder, making the folder when needed; empty when no
    // folder can be made.
    [[nodiscard]] std::string filePath(std::string_view name);
    // Deletes the working copy and the scratch copy; missing files are no failure.
    void removeWorkFiles();
    // Deletes the folder with everything in it; a later filePath makes a new one.
    void remove();

    // The folder, or empty while it has not been made.
    [[nodiscard]] const std::string& folder() const { return m_folder; }

private:
    bool ensureFolder();

    std::string m_root;
    std::string m_folder;
    UniqueFd m_lock;
};

// Removes the work folders under root that programs killed outright left behind: only folders
// named as WorkFolder names them, owned by this user, holding a lock file nobody holds. A
// running program's folder, and anything else, stays. Returns the number removed.
int reclaimStaleWorkFolders(const std::string& root);

} // namespace byzel
