#pragma once

#include <string>
#include <string_view>

namespace byzel {

// The working copy of the open dump file, read by every reader of dump bytes.
inline constexpr std::string_view kWorkingCopyName = "Byzel.tmp";
// The replace console's scratch copy of the dump file.
inline constexpr std::string_view kScratchFileName = "Temp.tmp";

// A folder of this running program alone, made on first use under the temporary folder with
// "Byzel" in its name and mode 0700, and removed with everything in it when the object goes.
// Being private, two running programs never share a working copy and nobody else can put a
// link where we write.
class WorkFolder {
public:
    // Under $TMPDIR, or /tmp when that is not set.
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

    // The folder, or empty while it has not been made.
    [[nodiscard]] const std::string& folder() const { return m_folder; }

private:
    bool ensureFolder();

    std::string m_root;
    std::string m_folder;
};

} // namespace byzel
