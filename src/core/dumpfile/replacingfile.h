#pragma once

#include "core/dumpfile/uniquefd.h"

#include <string>

namespace byzel {

// Whether anything has this name, a link that leads nowhere included.
[[nodiscard]] bool nameTaken(const std::string& path);

// A file written for the user without ever leaving a half-written one: the data goes to a new
// file beside the target, which replaces the target only once everything is written and on
// disk. Until then an earlier file of that name stays whole; a file never committed is removed.
// A link to a file stays a link, and the file it leads to is replaced. A device or pipe in the
// target's place holds no file to keep whole and is written directly.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile() { discard(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Whether an existing file we may not write can be replaced all the same.
    enum class Existing { MustBeWritable, MayBeReadOnly };

    // Starts the new file. False when nothing can be written: a folder in the target's place,
    // an existing file we may not write (it is kept, though a rename could replace it) unless
    // that is allowed, a folder we may not create a file in. An existing file's permission bits
    // carry over.
    [[nodiscard]] bool open(const std::string& target,
                            Existing existing = Existing::MustBeWritable);
    // Where the data goes; -1 while nothing is open.
    [[nodiscard]] int fd() const { return m_fd.get(); }
    // Another descriptor of the new file, to read or sync it while it is put in place; it goes
    // on naming the same file in the target's place after the commit. Invalid when nothing is
    // open or the descriptor cannot be duplicated.
    [[nodiscard]] UniqueFd reader() const;
    // Puts the new file in the target's place once it is safely on disk. False, with the
    // target as it was, when anything fails.
    [[nodiscard]] bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

private:
    UniqueFd m_fd;
    std::string m_tempPath; // empty when writing to the target directly
    std::string m_target;
};

} // namespace byzel
