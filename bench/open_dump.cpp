// Opens one dump file, working copy included, and prints how long that took in nanoseconds.
// Usage: open_dump dump-file temporary-folder
#include "core/ui/consoleui.h"
#include "core/dumpfile/dumpfile.h"
#include "core/dumpfile/workfolder.h"

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
    const bool opened = dump.open(argv[1], ui);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (!opened || dump.readingPath() == argv[1]) {
        std::fprintf(stderr, "no working copy was made\n");
        return 1;
    }
    // The last row must come from the copy, or the figure measured nothing useful.
    std::array<std::uint8_t, 16> row{};
    if (dump.size() > 0 && dump.readAt(dump.lastOffset(), row) != 1) {
        std::fprintf(stderr, "the working copy cannot be read\n");
        return 1;
    }
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()));
    return 0;
}
