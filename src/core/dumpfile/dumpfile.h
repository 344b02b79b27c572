#pragma once

#include "core/dumpfile/backgroundcopy.h"
#include "core/dumpfile/bytesource.h"
#include "core/dumpfile/dumpgeometry.h"
#include "core/dumpfile/uniquefd.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace byzel {

class UiPort;
class WorkFolder;

// How a working copy that was made in the background ended, as settleWorkingCopy found it.
enum class CopyOutcome {
    // No copy had ended: none was running, or it still runs.
    None,
    // Reads now go to the complete working copy.
    Switched,
    // The dump file changed while it was copied; the copy was thrown away and the dump file
    // must be opened again.
    SourceChanged,
    // The copy failed (the temporary folder may be full); the dump file itself is read on.
    Failed,
};

// Read access to the dump file through its working copy. Opening copies the dump file into the
// work folder and reads the copy, so the dump file itself stays free for the in-place rewrites
// of the binary editor and the replace console, which reopen it afterwards. When no working
// copy can be made the dump file itself is read.
//
// A large file is copied on a thread of its own: meanwhile the dump file itself is read, so the
// first page shows at once. Whoever owns the object is told through the copy-ended listener,
// and then settles the copy on its own thread.
class DumpFile final : public ByteSource {
public:
    // Files from this size on are copied in the background.
    static constexpr std::int64_t kBackgroundCopyFrom = std::int64_t{16} << 20;

    explicit DumpFile(WorkFolder& folder);
    ~DumpFile() override;
    DumpFile(const DumpFile&) = delete;
    DumpFile& operator=(const DumpFile&) = delete;

    // Closes what was open, then opens path. A missing file or a folder fails without a
    // message (the caller decides what to say); a file of 2 GiB or more is refused with 30004
    // and one that cannot be opened with 30003, both with the path in front. A failed open
    // leaves nothing open.
    //
    // A rewrite that is about to put a new file in path's place passes that file as content:
    // it is read instead of what path names now, so its working copy is made while it still
    // goes to the disk.
    bool open(const std::string& path, UiPort& ui, UniqueFd content = {});
    // Closes, then opens path unless its stored form is too long for a marker file (30049 with
    // the path in front; nothing is open then).
    bool reopen(const std::string& path, UiPort& ui);
    // Stops a copy still running and removes what it copied.
    void close();

    [[nodiscard]] bool isOpen() const { return m_readFd.load() >= 0; }
    // Safe from several threads at once, also while a copy runs.
    std::int32_t readAt(Offset offset, std::span<std::uint8_t> buffer) const override;
    [[nodiscard]] std::int64_t size() const override { return m_size; }
    [[nodiscard]] Offset lastOffset() const { return lastOffsetFor(m_size); }
    [[nodiscard]] std::int32_t totalRows() const { return totalRowsFor(m_size); }
    // The dump file as it was opened. Empty when closed.
    [[nodiscard]] const std::string& path() const { return m_path; }
    // The file actually read: the working copy, or the dump file itself. Empty when closed.
    [[nodiscard]] const std::string& readingPath() const { return m_readingPath; }

    // Whether a background copy runs or has ended without being settled yet.
    [[nodiscard]] bool copyPending() const { return m_copier != nullptr; }
    // Bytes of the pending copy done so far, of size().
    [[nodiscard]] std::int64_t copyDone() const { return m_copier ? m_copier->done() : 0; }
    // Waits until the pending copy has ended (at once when there is none); false when progress
    // stopped the wait. May run on another thread; settle afterwards on the owning one.
    bool waitForWorkingCopy(const ProgressFn& progress) const;
    // Takes over a copy that has ended: reads switch to it, or the outcome says why not.
    CopyOutcome settleWorkingCopy();
    // Called on the copying thread when a background copy ends by itself.
    void setCopyEndedListener(std::function<void()> listener) { m_copyEnded = std::move(listener); }
    // How background copies go, and from which size on they are made; for tests.
    void setCopyPacing(CopyPacing pacing, std::int64_t backgroundFrom) {
        m_pacing = std::move(pacing);
        m_backgroundFrom = backgroundFrom;
    }

private:
    // Starts the working copy of the open dump file; without one the dump file is read on.
    void startWorkingCopy();
    // Reads the complete working copy from now on; false when it is not as long as the file.
    bool switchToCopy();
    void dropCopy();

    WorkFolder& m_folder;
    // The dump file itself, read until the working copy is complete.
    UniqueFd m_source;
    UniqueFd m_copy;
    std::string m_copyPath;
    // What reads go to: the dump file, then the working copy. Both descriptors stay open until
    // close, so a reader on another thread never sees one closed under it.
    std::atomic<int> m_readFd = -1;
    // The working copy mapped whole. The dump file itself is never mapped: others may shorten
    // it while we look, and a mapped page past its end would kill the program.
    std::atomic<const std::uint8_t*> m_map = nullptr;
    std::int64_t m_size = 0;
    // The dump file's modification time when opened: a copy is only good if it still holds.
    timespec m_modified{};
    std::string m_readingPath;
    std::string m_path;
    std::unique_ptr<BackgroundCopy> m_copier;
    std::function<void()> m_copyEnded;
    CopyPacing m_pacing;
    std::int64_t m_backgroundFrom = kBackgroundCopyFrom;
};

} // namespace byzel
