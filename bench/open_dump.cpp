// Opens one dump file, waits until its working copy is complete and prints how long that took
// in nanoseconds, then the disk space the working copy takes in bytes.
// Usage: open_dump dump-file temporary-folder
#include "core/dumpfile/dumpfile.h"
#include "core/dumpfile/workfolder.h"
#include "core/ui/consoleui.h"

#include <sys/stat.h>

#include <array>
#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s dump-file temporary-folder\n", argv[0]);
        return 2;
    }
    byzel::ConsoleUi ui("bench");
    const auto start = std::chrono::steady_clock::now();
    byzel::WorkFolder folder(argv[2]);
    byzel::DumpFile dump(folder);
    const bool opened = dump.open(argv[1], ui) && dump.waitForWorkingCopy({}) &&
                        dump.settleWorkingCopy() != byzel::CopyOutcome::SourceChanged;
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (!opened || dump.readingPath() == argv[1]) {
        std::fprintf(stderr, "no working copy was made\n");
        return 1;
    }
    // The last row must come from the copy, or the figure measured nothing useful.
    std::array<std::uint8_t, 16> row{};
    struct stat st;
    if ((dump.size() > 0 && dump.readAt(dump.lastOffset(), row) != 1) ||
        ::stat(dump.readingPath().c_str(), &st) != 0) {
        std::fprintf(stderr, "the working copy cannot be read\n");
        return 1;
    }
    std::printf("%lld %lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()),
                static_cast<long long>(st.st_blocks) * 512);
    return 0;
}
