#pragma once

#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/dumpfile/uniquefd.h"

#include <cstdint>
#include <span>
#include <string>

namespace byzel {

class UiPort;
class WorkFolder;

// Read access to the dump file through its working copy. Opening copies the dump file into the
// work folder and reads the copy, so the dump file itself stays free for the in-place rewrites
// of the binary editor and the replace console, which reopen it afterwards. When no working
// copy can be made the dump file itself is read.
class DumpFile final : public ByteSource {
public:
    explicit DumpFile(WorkFolder& folder);
    ~DumpFile() override;
    DumpFile(const DumpFile&) = delete;
    DumpFile& operator=(const DumpFile&) = delete;

    // Closes what was open, then opens path. A missing file or a folder fails without a
    // message (the caller decides what to say); a file of 2 GiB or more is refused with 30004
    // and one that cannot be opened with 30003, both with the path in front. A failed open
    // leaves nothing open.
    bool open(const std::string& path, UiPort& ui);
    // Closes, then opens path unless its stored form is too long for a marker file (30049 with
    // the path in front; nothing is open then).
    bool reopen(const std::string& path, UiPort& ui);
    void close();

    [[nodiscard]] bool isOpen() const { return m_fd.valid(); }
    std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const override;
    [[nodiscard]] std::int64_t size() const override { return m_size; }
    [[nodiscard]] Offset lastOffset() const { return lastOffsetFor(m_size); }
    [[nodiscard]] std::int32_t totalRows() const { return totalRowsFor(m_size); }
    // The dump file as it was opened. Empty when closed.
    [[nodiscard]] const std::string& path() const { return m_path; }
    // The file actually read: the working copy, or the dump file itself. Empty when closed.
    [[nodiscard]] const std::string& readingPath() const { return m_readingPath; }

private:
    // Copies source into the work folder and reads the copy; false when that cannot be done.
    bool openWorkingCopy(int source);

    WorkFolder& m_folder;
    UniqueFd m_fd;
    // The working copy mapped whole. The dump file itself is never mapped: others may shorten
    // it while we look, and a mapped page past its end would kill the program.
    const std::uint8_t* m_map = nullptr;
    std::int64_t m_size = 0;
    std::string m_readingPath;
    std::string m_path;
};

} // namespace byzel
