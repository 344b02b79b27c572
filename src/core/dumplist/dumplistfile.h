#pragma once

#include "core/dumpfile/replacingfile.h"
#include "core/dumplist/dumplist.h"
#include "core/ui/progress.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace byzel {

// Rewrites the rows of a dump list text file on their way out, for readers that want another
// form than the export's Shift-JIS bytes (a terminal).
class DumpRowRecoder {
public:
    virtual ~DumpRowRecoder() = default;
    // Appends the row's line and remark entry, in the form wanted, to out.
    virtual void recode(const DumpRow& row, std::string& out) = 0;
};

// The dump list as a text file: the composed Shift-JIS bytes, every line ending CR LF, no byte
// order mark. Lines are gathered in a large buffer and written in big blocks; every write is
// checked, and after the first failure nothing more is written.
class DumpListFile : public DumpListTarget {
public:
    DumpListFile();

    // Starts the file at path; an existing file of that name is replaced only by close(), once
    // the whole list is written. False when it cannot be created.
    [[nodiscard]] bool open(const std::string& path);
    // Writes to a descriptor that is already open (standard output), which stays open after
    // close(); false when it cannot be used.
    [[nodiscard]] bool attach(int fd);
    // Writes what is left and closes the file; false when any write failed, and a file given
    // to open() then stays as it was.
    [[nodiscard]] bool close();
    // Rows pass through recoder from now on; nothing means the composed bytes as they are.
    void recodeRowsWith(DumpRowRecoder* recoder) { m_recoder = recoder; }
    // Reports the rows written of `rows` after each block; a stop makes close() drop the file.
    void reportProgressTo(ProgressFn progress) { m_progress = std::move(progress); }
    void expectRows(std::int64_t rows) { m_rows = rows; }
    // Whether the progress callback stopped the export.
    [[nodiscard]] bool cancelled() const { return m_cancelled; }

    void headerLines(std::string_view header, std::string_view rule) override;
    bool row(const DumpRow& row) override;

private:
    bool start(int fd);
    void put(std::string_view bytes);
    void flush();

    ReplacingFile m_file; // a file given by path
    UniqueFd m_attached;  // a descriptor given to attach()
    int m_fd = -1;
    std::vector<char> m_buffer;
    size_t m_used = 0;
    bool m_failed = false;
    DumpRowRecoder* m_recoder = nullptr;
    std::string m_recoded;
    ProgressFn m_progress;
    std::int64_t m_rows = 0;
    std::int64_t m_rowsWritten = 0;
    bool m_cancelled = false;
};

} // namespace byzel
