#pragma once

#include "core/dumpfile/replacingfile.h"

#include <string>
#include <string_view>

namespace byzel {
class UiPort;
}

namespace byzel::cli {

// Where a command's text goes: standard output, or a file that appears only once it is
// complete, so that a failed run leaves an earlier file of that name whole. Text is gathered
// and written in large pieces.
class CommandOutput {
public:
    // Starts the output: path, or standard output when path is empty. Shows 30003 with the path
    // when the file cannot be created.
    [[nodiscard]] bool open(const std::string& path, UiPort& ui);
    // Adds text. False once writing has failed; the rest is then dropped.
    bool write(std::string_view text);
    // Writes what is left and puts the file in place. Shows 30006 when anything failed.
    [[nodiscard]] bool finish(UiPort& ui);

private:
    bool flush();

    ReplacingFile m_file;
    int m_fd = -1;
    std::string m_pending;
    bool m_failed = false;
};

} // namespace byzel::cli
