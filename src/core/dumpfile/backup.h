#pragma once

#include <string>
#include <string_view>

namespace byzel {

// Where the backup of a dump file goes: beside it, "_Back" put before the last "." of its name
// (data.bin -> data_Back.bin, archive.tar.gz -> archive.tar_Back.gz) or appended to a name
// without one (README -> README_Back). Empty for a path without a folder part. Both "/" and
// "\" separate folders.
[[nodiscard]] std::string backupPathFor(std::string_view path);

// Copies the dump file to its backup path, replacing an older backup only once the new one is
// complete. Shows nothing; false when there is no backup path or the copy failed.
[[nodiscard]] bool backupDumpFile(const std::string& path);

// The backup for a rewrite that puts a new file in the dump file's place and so never writes
// the old data again: a second name of that data where the file system allows, at no cost, and
// a copy as backupDumpFile makes elsewhere. False when neither can be made.
bool backupBeforeReplacing(const std::string& path);

// The attributes a rewrite of the dump file has to lift and put back. Read-only is the missing
// owner write permission; there is no hidden attribute here, so it always reads as not set.
struct FileAttributes {
    bool readOnly = false;
    bool hidden = false;

    friend bool operator==(const FileAttributes&, const FileAttributes&) = default;
};

// Gives the owner write permission and returns what was set before; both false, changing
// nothing, when the file cannot be looked at. A failure to change the permission is left to
// the write that follows.
FileAttributes makeWritable(const std::string& path);
// Puts back what makeWritable lifted; failures are ignored.
void restoreAttributes(const std::string& path, FileAttributes attributes);

} // namespace byzel
