#pragma once

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/uniquefd.h"

#include <string>

#include <optional>

namespace byzel {
class ConsoleUi;
class UiPort;
}

namespace byzel::cli {

// The dump file read where it lies, by positioned reads. The command-line tool reads a dump
// file once from start to end: a working copy would double the disk traffic, and a mapping of
// the whole file would count every page read against the tool's memory.
class FileSource final : public ByteSource {
public:
    enum class OpenResult { Opened, Missing, Failed };

    // Missing: no such file, or a folder, without a message. Failed: the file cannot be opened
    // or is no regular file (30003) or is 2 GiB or more (30004), shown with the path in front.
    OpenResult open(const std::string& path, UiPort& ui);

    std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const override;
    [[nodiscard]] std::int64_t size() const override { return m_size; }
    [[nodiscard]] std::int32_t totalRows() const;
    // The file opened; empty while none is.
    [[nodiscard]] const std::string& readingPath() const { return m_path; }
    // Whether a read failed: the listing then ended early and must not pass for complete.
    [[nodiscard]] bool readFailed() const { return m_readFailed; }

private:
    UniqueFd m_fd;
    std::int64_t m_size = 0;
    std::string m_path;
    mutable bool m_readFailed = false;
};

// Opens the file a command reads, saying why when it cannot ("is a folder", "no such file", or
// the program's message). The exit status when the command should end, nothing when opened.
[[nodiscard]] std::optional<int> openFileArgument(FileSource& source, const std::string& file,
                                                  ConsoleUi& ui);

} // namespace byzel::cli
