#pragma once

#include "core/dumpfile/dumpfile.h"
#include "core/markerfile/headerblock.h"
#include "core/markers/markertable.h"
#include "core/workflow/worktitle.h"

#include <functional>
#include <string>

namespace byzel {

// The last search result the view frames: start offset (-1 for none) and length in bytes.
struct SearchHit {
    Offset start = -1;
    int length = 0;
    [[nodiscard]] bool exists() const { return start != -1; }
};

// The open piece of work, without any view or drawing state: the dump file it is laid over,
// what a marker file holds, where it is saved, and whether it changed since.
class Work {
public:
    using TitleListener = std::function<void(const std::string& title)>;

    explicit Work(WorkFolder& folder) : m_dump(folder) {}

    // The work is open while a dump file is open.
    [[nodiscard]] bool isOpen() const { return m_dump.isOpen(); }
    [[nodiscard]] DumpFile& dump() { return m_dump; }
    [[nodiscard]] const DumpFile& dump() const { return m_dump; }
    // The dump file path as stored and the two display switches.
    [[nodiscard]] HeaderBlock& header() { return m_header; }
    [[nodiscard]] const HeaderBlock& header() const { return m_header; }

    [[nodiscard]] MarkerTable& markers() { return m_markers; }
    [[nodiscard]] const MarkerTable& markers() const { return m_markers; }

    [[nodiscard]] const std::string& markerFilePath() const { return m_markerFilePath; }
    void setMarkerFilePath(std::string path) { m_markerFilePath = std::move(path); }
    [[nodiscard]] bool isUnnamed() const { return m_markerFilePath == kUnnamedMarkerFile; }

    [[nodiscard]] bool modified() const { return m_modified; }
    // Stores the flag and rewrites the window title. Every marker change goes through here.
    void setModified(bool flag);
    // Stores the flag only; a few steps deliberately leave the title as it is.
    void storeModified(bool flag) { m_modified = flag; }

    [[nodiscard]] SearchHit& searchHit() { return m_searchHit; }
    [[nodiscard]] const SearchHit& searchHit() const { return m_searchHit; }

    [[nodiscard]] std::string title() const { return windowTitle(m_markerFilePath, m_modified); }
    // Called with the new title whenever setModified rewrites it.
    void setTitleListener(TitleListener listener) { m_titleListener = std::move(listener); }

private:
    DumpFile m_dump;
    HeaderBlock m_header;
    MarkerTable m_markers;
    // Empty before the first document action at start-up.
    std::string m_markerFilePath;
    bool m_modified = false;
    SearchHit m_searchHit;
    TitleListener m_titleListener;
};

} // namespace byzel
