#include "core/search/dumprewriter.h"

#include "core/dumpfile/backup.h"
#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/filesync.h"
#include "core/dumpfile/replacingfile.h"
#include "core/dumpfile/uniquefd.h"
#include "core/dumpfile/workfolder.h"
#include "core/search/replacestream.h"
#include "core/ui/progress.h"
#include "core/ui/uiport.h"
#include "core/workflow/documentworkflow.h"
#include "core/workflow/work.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

namespace byzel {

struct DumpRewriter::Source {
    // Named when a read of it fails.
    std::string path;
    UniqueFd fd;
    std::int64_t size = 0;
    // The new content goes to a new file that then takes the dump file's place, so the dump
    // file's own data, read here, stays as it is. Otherwise this is the scratch copy and the
    // dump file is written anew in place.
    bool byRename = false;
};

namespace {

constexpr std::size_t kCopyBlock = 4 << 20;

// Whether a new file can take the dump file's place without anyone seeing a difference but in
// its inode: a regular file of ours, known by no other name, in a folder we may write. Anything
// else (a second hard link, another owner) is rewritten in place so that it stays the same file.
bool replaceableByRename(const std::string& path) {
    struct stat st;
    if (backupPathFor(path).empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_nlink != 1 || st.st_uid != ::geteuid())
        return false;
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::canonical(path, ec);
    return !ec && ::access(file.parent_path().c_str(), W_OK | X_OK) == 0;
}

} // namespace

DumpRewriter::DumpRewriter(Work& work, DocumentWorkflow& workflow, UiPort& ui, WorkFolder& folder,
                           PassRunner runner)
    : m_work(work), m_workflow(workflow), m_ui(ui), m_folder(folder), m_runner(std::move(runner)) {}

bool DumpRewriter::writeOut(int fd, std::span<const std::uint8_t> bytes) {
    return writeAll(fd, bytes.data(), bytes.size());
}

bool DumpRewriter::ReplaceCurrentHit(
    std::span<const std::uint8_t> pattern,
    const std::function<std::optional<ByteString>()>& readReplacement) {
    const SearchHit hit = m_work.searchHit();
    if (!hit.exists() || !m_workflow.finishDumpCopy(m_runner))
        return false;
    ByteString atHit(pattern.size());
    const auto got = m_work.dump().readAt(hit.start, atHit);
    if (static_cast<std::size_t>(got) != pattern.size() ||
        !std::equal(atHit.begin(), atHit.end(), pattern.begin())) {
        showMessage(m_ui, msg::HitDiffersFromPattern, {}, BoxStyle::Error);
        return false;
    }
    const std::optional<ByteString> replacement = readReplacement();
    if (!replacement)
        return false;
    const int question =
        replacement->size() == pattern.size() ? msg::AskReplaceHit : msg::AskReplaceOtherLength;
    if (showMessage(m_ui, question, {}, BoxStyle::YesNo) != Yes)
        return false;
    std::optional<Source> scratch = openSource(pattern.size());
    if (!scratch)
        return false;
    const int in = scratch->fd.get();
    // Copies count bytes (all that are left when count is negative) from the scratch copy.
    auto copy = [&](int out, std::int64_t count, const ProgressFn& progress,
                    std::int64_t& done) -> Outcome {
        std::vector<std::uint8_t> block(kCopyBlock);
        while (count != 0) {
            const std::size_t want = count < 0
                                         ? block.size()
                                         : static_cast<std::size_t>(std::min<std::int64_t>(
                                               count, static_cast<std::int64_t>(block.size())));
            const long n = readSome(in, block.data(), want);
            if (n < 0 || (n == 0 && count > 0))
                return Outcome::ReadFailed;
            if (n == 0)
                break;
            if (!writeOut(out, std::span(block.data(), static_cast<std::size_t>(n))))
                return Outcome::WriteFailed;
            if (count > 0)
                count -= n;
            done += n;
            if (progress && !progress(done, scratch->size))
                return Outcome::Cancelled;
        }
        return Outcome::Written;
    };
    const bool written = rewrite(*scratch, false, [&](int out, const ProgressFn& progress) {
        std::int64_t done = 0;
        if (Outcome o = copy(out, hit.start, progress, done); o != Outcome::Written)
            return o;
        if (!writeOut(out, *replacement))
            return Outcome::WriteFailed;
        if (::lseek(in, static_cast<off_t>(hit.start) + static_cast<off_t>(pattern.size()),
                    SEEK_SET) < 0)
            return Outcome::ReadFailed;
        return copy(out, -1, progress, done);
    });
    if (written)
        showMessage(m_ui, msg::ReplaceDone, {}, BoxStyle::Information);
    return written;
}

bool DumpRewriter::ReplaceAllMatches(std::span<const std::uint8_t> pattern,
                                     std::span<const std::uint8_t> replacement) {
    if (!m_workflow.finishDumpCopy(m_runner))
        return false;
    std::optional<Source> scratch = openSource(pattern.size());
    if (!scratch)
        return false;
    if (scratch->byRename)
        return replaceAllByRename(*scratch, pattern, replacement);
    ReplaceStreamResult counted;
    const bool ran = m_runner([&](const ProgressFn& progress) {
        counted = ReplaceStream(scratch->fd.get(), nullptr, pattern, replacement, scratch->size,
                                progress);
        return true;
    });
    if (!ran || counted.status == ReplaceStreamResult::Status::Cancelled)
        return false;
    if (!counted.done()) {
        showMessage(m_ui, msg::OpenFailed, scratch->path + "\n", BoxStyle::Error);
        return false;
    }
    if (!confirmReplaceAll(counted.count))
        return false;
    if (::lseek(scratch->fd.get(), 0, SEEK_SET) < 0) {
        showMessage(m_ui, msg::OpenFailed, scratch->path + "\n", BoxStyle::Error);
        return false;
    }
    std::int64_t replaced = 0;
    const bool written = rewrite(*scratch, true, [&](int out, const ProgressFn& progress) {
        const ByteSink sink = [&](std::span<const std::uint8_t> bytes) {
            return writeOut(out, bytes);
        };
        const ReplaceStreamResult r =
            ReplaceStream(scratch->fd.get(), &sink, pattern, replacement, scratch->size, progress);
        replaced = r.count;
        switch (r.status) {
        case ReplaceStreamResult::Status::Done:
            return Outcome::Written;
        case ReplaceStreamResult::Status::ReadFailed:
            return Outcome::ReadFailed;
        case ReplaceStreamResult::Status::WriteFailed:
            return Outcome::WriteFailed;
        case ReplaceStreamResult::Status::Cancelled:
            break;
        }
        return Outcome::Cancelled;
    });
    if (written)
        reportReplaced(replaced);
    return written;
}

bool DumpRewriter::confirmReplaceAll(std::int64_t count) {
    if (count == 0) {
        showMessage(m_ui, msg::NoOccurrences, {}, BoxStyle::Information);
        return false;
    }
    const std::string found = "該当 " + std::to_string(count) + "件\n";
    return showMessage(m_ui, msg::AskReplaceAll, found, BoxStyle::YesNo) == Yes;
}

void DumpRewriter::reportReplaced(std::int64_t count) {
    m_replaced = count;
    showMessage(m_ui, msg::ReplaceDone, std::to_string(count) + "件 ", BoxStyle::Information);
}

bool DumpRewriter::replaceAllByRename(Source& source, std::span<const std::uint8_t> pattern,
                                      std::span<const std::uint8_t> replacement) {
    // One pass counts the occurrences and writes the new content beside the dump file; it takes
    // the dump file's place only once the user agrees. The dump file stays read-only if it was.
    const std::string path = m_work.dump().path();
    ReplacingFile newContent;
    if (!newContent.open(path, ReplacingFile::Existing::MayBeReadOnly)) {
        showMessage(m_ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    ReplaceStreamResult result;
    result.status = ReplaceStreamResult::Status::Cancelled;
    const bool ran = m_runner([&](const ProgressFn& progress) {
        // The new file is synced before it takes the dump file's place; most of it is on its
        // way to the disk by then.
        EarlyWriteback writeback(newContent.fd());
        const ByteSink sink = [&](std::span<const std::uint8_t> bytes) {
            if (!writeOut(newContent.fd(), bytes))
                return false;
            writeback.added(bytes.size());
            return true;
        };
        result = ReplaceStream(source.fd.get(), &sink, pattern, replacement, source.size, progress);
        return true;
    });
    switch (ran ? result.status : ReplaceStreamResult::Status::Cancelled) {
    case ReplaceStreamResult::Status::Done:
        break;
    case ReplaceStreamResult::Status::ReadFailed:
        showMessage(m_ui, msg::OpenFailed, source.path + "\n", BoxStyle::Error);
        return false;
    case ReplaceStreamResult::Status::WriteFailed:
        showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    case ReplaceStreamResult::Status::Cancelled:
        return false;
    }
    // While the user reads the question, the new file goes to the disk.
    std::optional<FileSync> onDisk;
    if (result.count > 0)
        onDisk.emplace(newContent.reader());
    if (!confirmReplaceAll(result.count) || !backUp(backupBeforeReplacing))
        return false;
    if (!putInPlace(newContent, *onDisk))
        return false;
    reportReplaced(result.count);
    return true;
}

bool DumpRewriter::putInPlace(ReplacingFile& newContent, FileSync& onDisk) {
    const std::string path = m_work.dump().path();
    // The view reads the new file, and its working copy is made, while the file goes to the
    // disk.
    UniqueFd reader = newContent.reader();
    const bool readAhead = reader.valid();
    bool reopened = readAhead && m_workflow.reopenDumpFile(path, true, std::move(reader));
    // A slow disk may take long to take the rest; the window stays alive meanwhile, and a stop
    // leaves the dump file as it was.
    bool syncFailed = false;
    const bool synced = m_runner([&syncFailed, &onDisk](const ProgressFn&) {
        syncFailed = !onDisk.wait();
        return !syncFailed;
    });
    if (!synced || !newContent.commit()) {
        if (readAhead)
            m_workflow.reopenDumpFile(path, true);
        if (synced || syncFailed)
            showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    if (!readAhead)
        reopened = m_workflow.reopenDumpFile(path, true);
    if (reopened)
        m_work.storeModified(true);
    return true;
}

bool DumpRewriter::writeRow(Offset row, std::span<const std::uint8_t> bytes) {
    if (!m_workflow.finishDumpCopy(m_runner) ||
        showMessage(m_ui, msg::AskWriteRow, {}, BoxStyle::YesNo) != Yes)
        return false;
    const std::string path = m_work.dump().path();
    const std::optional<bool> backedUp = backUp(backupDumpFile);
    if (!backedUp)
        return false;
    UniqueFd dump(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (!dump.valid() || ::fstat(dump.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(m_ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    // Never past the end: the row is written in place and the file keeps its length.
    const off_t at = static_cast<off_t>(row) * 16;
    const auto count = static_cast<std::size_t>(
        std::clamp<off_t>(st.st_size - at, 0, static_cast<off_t>(bytes.size())));
    const bool ok =
        ::lseek(dump.get(), at, SEEK_SET) == at && writeOut(dump.get(), bytes.first(count));
    if (!ok || !dump.close()) {
        if (!dump.valid())
            dump.reset(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
        if (!dump.valid() || !restore(dump.get(), *backedUp, -1))
            reload();
        showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    reload();
    return true;
}

std::optional<DumpRewriter::Source> DumpRewriter::openSource(std::size_t patternLength) {
    Source source;
    const std::string& dumpPath = m_work.dump().path();
    if (replaceableByRename(dumpPath)) {
        source.path = dumpPath;
        source.byRename = true;
    } else {
        source.path = m_folder.filePath(kScratchFileName);
        if (source.path.empty()) {
            showMessage(m_ui, msg::ScratchPathFailed, {}, BoxStyle::Error);
            return std::nullopt;
        }
        UniqueFd dump(::open(dumpPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        UniqueFd copy(::open(source.path.c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
        struct stat st;
        if (!dump.valid() || !copy.valid() || ::fstat(dump.get(), &st) != 0 ||
            !S_ISREG(st.st_mode)) {
            showMessage(m_ui, msg::ScratchCopyFailed, {}, BoxStyle::Error);
            return std::nullopt;
        }
        // A large file takes a while to copy: behind the progress dialog, and it may be stopped.
        const Outcome copied = runWrite(
            [&dump](int out, const ProgressFn& progress) {
                bool stopped = false;
                const bool complete = copyFileData(
                    dump.get(), out,
                    [&](std::int64_t done, std::int64_t total) {
                        stopped = progress && !progress(done, total);
                        return !stopped;
                    },
                    static_cast<std::int64_t>(kCopyBlock));
                return complete  ? Outcome::Written
                       : stopped ? Outcome::Cancelled
                                 : Outcome::WriteFailed;
            },
            copy.get());
        if (copied == Outcome::Cancelled)
            return std::nullopt;
        if (copied != Outcome::Written || !copy.close()) {
            showMessage(m_ui, msg::ScratchCopyFailed, {}, BoxStyle::Error);
            return std::nullopt;
        }
    }
    source.fd.reset(::open(source.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (!source.fd.valid() || ::fstat(source.fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(m_ui, msg::OpenFailed, source.path + "\n", BoxStyle::Error);
        return std::nullopt;
    }
    source.size = st.st_size;
    if (source.size < static_cast<std::int64_t>(patternLength)) {
        showMessage(m_ui, msg::PatternLongerThanFile, {}, BoxStyle::Information);
        return std::nullopt;
    }
    return source;
}

bool DumpRewriter::rewrite(Source& source, bool liftReadOnly, const WriteContent& write) {
    return source.byRename ? rewriteByRename(source, write)
                           : rewriteInPlace(source, liftReadOnly, write);
}

bool DumpRewriter::rewriteByRename(Source& source, const WriteContent& write) {
    const std::string path = m_work.dump().path();
    if (!backUp(backupBeforeReplacing))
        return false;
    // The file is replaced, not written, but one we may not write is refused all the same.
    const bool writable = UniqueFd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK)).valid();
    ReplacingFile newContent;
    if (!writable || !newContent.open(path)) {
        showMessage(m_ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    const Outcome outcome = runWrite(write, newContent.fd());
    if (outcome == Outcome::ReadFailed)
        showMessage(m_ui, msg::OpenFailed, source.path + "\n", BoxStyle::Error);
    else if (outcome == Outcome::WriteFailed)
        showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
    if (outcome != Outcome::Written)
        return false;
    FileSync onDisk(newContent.reader());
    return putInPlace(newContent, onDisk);
}

DumpRewriter::Outcome DumpRewriter::runWrite(const WriteContent& write, int out) {
    Outcome outcome = Outcome::Cancelled;
    const bool ran = m_runner([&](const ProgressFn& progress) {
        outcome = write(out, progress);
        return true;
    });
    return outcome == Outcome::Written && !ran ? Outcome::Cancelled : outcome;
}

bool DumpRewriter::rewriteInPlace(Source& scratch, bool liftReadOnly, const WriteContent& write) {
    const std::string path = m_work.dump().path();
    const std::optional<bool> backedUp = backUp(backupDumpFile);
    if (!backedUp)
        return false;
    const FileAttributes attributes = liftReadOnly ? makeWritable(path) : FileAttributes{};
    UniqueFd dump(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK));
    if (!dump.valid()) {
        restoreAttributes(path, attributes);
        showMessage(m_ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    const Outcome outcome = runWrite(write, dump.get());
    if (outcome != Outcome::Written) {
        const bool restored = restore(dump.get(), *backedUp, scratch.fd.get());
        dump.reset();
        restoreAttributes(path, attributes);
        if (!restored)
            reload();
        if (outcome == Outcome::ReadFailed)
            showMessage(m_ui, msg::OpenFailed, scratch.path + "\n", BoxStyle::Error);
        else if (outcome == Outcome::WriteFailed || !restored)
            showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    const bool closed = dump.close();
    restoreAttributes(path, attributes);
    if (!closed) {
        UniqueFd again(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        if (!again.valid() || !restore(again.get(), *backedUp, scratch.fd.get()))
            reload();
        showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    reload();
    return true;
}

bool DumpRewriter::restore(int dumpFd, bool backedUp, int scratchFd) {
    UniqueFd backup;
    int source = scratchFd;
    if (backedUp) {
        backup.reset(::open(backupPathFor(m_work.dump().path()).c_str(), O_RDONLY | O_CLOEXEC));
        if (backup.valid())
            source = backup.get();
    }
    if (source < 0 || ::lseek(source, 0, SEEK_SET) != 0)
        return false;
    return ::ftruncate(dumpFd, 0) == 0 && ::lseek(dumpFd, 0, SEEK_SET) == 0 &&
           copyFileData(source, dumpFd);
}

std::optional<bool> DumpRewriter::backUp(bool (*makeBackup)(const std::string&)) {
    const std::string path = m_work.dump().path();
    bool made = false;
    if (!m_runner([&](const ProgressFn&) {
            made = makeBackup(path);
            return true;
        }))
        return std::nullopt;
    return made;
}

void DumpRewriter::reload() {
    const std::string path = m_work.dump().path();
    if (m_workflow.reopenDumpFile(path, true))
        m_work.storeModified(true);
}

} // namespace byzel
