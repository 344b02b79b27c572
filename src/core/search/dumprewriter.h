#pragma once

#include "core/search/hextext.h"
#include "core/types.h"
#include "core/ui/progress.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace byzel {

class DocumentWorkflow;
class FileSync;
class ReplacingFile;
class UiPort;
class Work;
class WorkFolder;
class UniqueFd;

// Rewrites the dump file itself: replacing a search hit or every occurrence of a pattern
// through the scratch copy, and overwriting one row of the binary editor in place. Each
// rewrite is confirmed, preceded by a backup beside the dump file and followed by a reload of
// the working copy with the top row kept. Should anything fail once the dump file is open for
// writing, or the user cancel, its previous content is put back: nobody keeps a half-written
// file.
class DumpRewriter {
public:
    DumpRewriter(Work& work, DocumentWorkflow& workflow, UiPort& ui, WorkFolder& folder,
                 PassRunner runner);
    virtual ~DumpRewriter() = default;
    DumpRewriter(const DumpRewriter&) = delete;
    DumpRewriter& operator=(const DumpRewriter&) = delete;

    // Replaces the n bytes at the search hit, which must still be the pattern, by the
    // replacement that readReplacement gives (nothing: stop). True when the file was rewritten.
    bool ReplaceCurrentHit(std::span<const std::uint8_t> pattern,
                           const std::function<std::optional<ByteString>()>& readReplacement);
    // Replaces every occurrence of pattern, occurrences not overlapping, after telling how many
    // there are. True when the file was rewritten.
    bool ReplaceAllMatches(std::span<const std::uint8_t> pattern,
                           std::span<const std::uint8_t> replacement);
    // Occurrences the last successful replace all replaced.
    [[nodiscard]] std::int64_t replacedCount() const { return m_replaced; }
    // Overwrites the bytes of a row from offset row * 16 after asking 30035; the file keeps its
    // length. True when written.
    bool writeRow(Offset row, std::span<const std::uint8_t> bytes);

protected:
    // Where every byte of a rewrite goes; tests make it fail.
    virtual bool writeOut(int fd, std::span<const std::uint8_t> bytes);

private:
    struct Source;
    enum class Outcome { Written, ReadFailed, WriteFailed, Cancelled };
    using WriteContent = std::function<Outcome(int out, const ProgressFn&)>;

    // Opens what the new content is made from: the dump file itself when a new file can take
    // its place, otherwise the scratch copy taken now.
    std::optional<Source> openSource(std::size_t patternLength);
    // Makes the backup, lets write produce the new content and puts it in the dump file's
    // place; should anything fail or the user cancel, the dump file keeps its old content.
    bool rewrite(Source& source, bool liftReadOnly, const WriteContent& write);
    // Writes a new file beside the dump file and renames it over the dump file when complete.
    bool rewriteByRename(Source& source, const WriteContent& write);
    // Puts the new file written beside the dump file in its place, once onDisk has it on disk,
    // and reloads. Should that fail, the dump file and the view stay as they were.
    bool putInPlace(ReplacingFile& newContent, FileSync& onDisk);
    bool replaceAllByRename(Source& source, std::span<const std::uint8_t> pattern,
                            std::span<const std::uint8_t> replacement);
    // Truncates the dump file, lets write fill it and puts the old content back should that
    // not complete.
    bool rewriteInPlace(Source& scratch, bool liftReadOnly, const WriteContent& write);
    Outcome runWrite(const WriteContent& write, int out);
    // Makes the backup of the dump file with makeBackup behind the progress dialog, since
    // copying a large file takes a while. Nothing when the user stopped it; otherwise whether
    // a backup was made.
    std::optional<bool> backUp(bool (*makeBackup)(const std::string&));
    // Tells that replace all found nothing (false), or asks whether to replace the count found.
    bool confirmReplaceAll(std::int64_t count);
    void reportReplaced(std::int64_t count);
    // Puts the previous content back into the open dump file from the backup, or from the
    // scratch copy when there is no backup. False when that fails too.
    bool restore(int dumpFd, bool backedUp, int scratchFd);
    void reload();

    Work& m_work;
    DocumentWorkflow& m_workflow;
    UiPort& m_ui;
    WorkFolder& m_folder;
    PassRunner m_runner;
    std::int64_t m_replaced = 0;
};

} // namespace byzel
