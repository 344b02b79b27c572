#include "core/search/dumprewriter.h"

#include "core/dumpfile/backup.h"
#include "core/dumpfile/filecopy.h"
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
#include <utility>
#include <vector>

namespace byzel {

struct DumpRewriter::Scratch {
    std::string path;
    UniqueFd fd;
    std::int64_t size = 0;
};

namespace {

constexpr std::size_t kCopyBlock = 4 << 20;

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
    std::optional<Scratch> scratch = openScratch(pattern.size());
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
    std::optional<Scratch> scratch = openScratch(pattern.size());
    if (!scratch)
        return false;
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
    if (counted.count == 0) {
        showMessage(m_ui, msg::NoOccurrences, {}, BoxStyle::Information);
        return false;
    }
    const std::string found = "該当 " + std::to_string(counted.count) + "件\n";
    if (showMessage(m_ui, msg::AskReplaceAll, found, BoxStyle::YesNo) != Yes)
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
        m_replaced = replaced;
    if (written)
        showMessage(m_ui, msg::ReplaceDone, std::to_string(replaced) + "件 ",
                    BoxStyle::Information);
    return written;
}

bool DumpRewriter::writeRow(Offset row, std::span<const std::uint8_t> bytes) {
    if (!m_workflow.finishDumpCopy(m_runner) ||
        showMessage(m_ui, msg::AskWriteRow, {}, BoxStyle::YesNo) != Yes)
        return false;
    const std::string path = m_work.dump().path();
    const bool backedUp = backupDumpFile(path);
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
        if (!dump.valid() || !restore(dump.get(), backedUp, -1))
            reload();
        showMessage(m_ui, msg::WriteFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    reload();
    return true;
}

std::optional<DumpRewriter::Scratch> DumpRewriter::openScratch(std::size_t patternLength) {
    Scratch scratch;
    scratch.path = m_folder.filePath(kScratchFileName);
    if (scratch.path.empty()) {
        showMessage(m_ui, msg::ScratchPathFailed, {}, BoxStyle::Error);
        return std::nullopt;
    }
    {
        UniqueFd source(::open(m_work.dump().path().c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        UniqueFd copy(::open(scratch.path.c_str(),
                             O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
        struct stat st;
        if (!source.valid() || !copy.valid() || ::fstat(source.get(), &st) != 0 ||
            !S_ISREG(st.st_mode) || !copyFileData(source.get(), copy.get()) || !copy.close()) {
            showMessage(m_ui, msg::ScratchCopyFailed, {}, BoxStyle::Error);
            return std::nullopt;
        }
    }
    scratch.fd.reset(::open(scratch.path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!scratch.fd.valid() || ::fstat(scratch.fd.get(), &st) != 0) {
        showMessage(m_ui, msg::OpenFailed, scratch.path + "\n", BoxStyle::Error);
        return std::nullopt;
    }
    scratch.size = st.st_size;
    if (scratch.size < static_cast<std::int64_t>(patternLength)) {
        showMessage(m_ui, msg::PatternLongerThanFile, {}, BoxStyle::Information);
        return std::nullopt;
    }
    return scratch;
}

bool DumpRewriter::rewrite(Scratch& scratch, bool liftReadOnly,
                           const std::function<Outcome(int, const ProgressFn&)>& write) {
    const std::string path = m_work.dump().path();
    const bool backedUp = backupDumpFile(path);
    const FileAttributes attributes = liftReadOnly ? makeWritable(path) : FileAttributes{};
    UniqueFd dump(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK));
    if (!dump.valid()) {
        restoreAttributes(path, attributes);
        showMessage(m_ui, msg::OpenFailed, path + "\n", BoxStyle::Error);
        return false;
    }
    Outcome outcome = Outcome::Cancelled;
    const bool ran = m_runner([&](const ProgressFn& progress) {
        outcome = write(dump.get(), progress);
        return true;
    });
    if (outcome == Outcome::Written && !ran)
        outcome = Outcome::Cancelled;
    if (outcome != Outcome::Written) {
        const bool restored = restore(dump.get(), backedUp, scratch.fd.get());
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
        if (!again.valid() || !restore(again.get(), backedUp, scratch.fd.get()))
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

void DumpRewriter::reload() {
    const std::string path = m_work.dump().path();
    if (m_workflow.reopenDumpFile(path, true))
        m_work.storeModified(true);
}

} // namespace byzel
