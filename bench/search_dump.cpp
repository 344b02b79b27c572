// Opens a dump file with its working copy, searches it downward for a pattern as the console
// does, and prints how long the search took in nanoseconds, then the hit (-1 for none) on
// standard error.
// Usage: search_dump dump-file temporary-folder pattern-text
#include "core/dumpfile/dumpfile.h"
#include "core/dumpfile/workfolder.h"
#include "core/search/patternsearch.h"
#include "core/ui/consoleui.h"

#include <chrono>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s dump-file temporary-folder pattern-text\n", argv[0]);
        return 2;
    }
    byzel::ConsoleUi ui("bench");
    byzel::WorkFolder folder(argv[2]);
    byzel::DumpFile dump(folder);
    // Measured on the complete working copy, as the program reads once it is made.
    if (!dump.open(argv[1], ui) || !dump.waitForWorkingCopy({}) ||
        dump.settleWorkingCopy() == byzel::CopyOutcome::SourceChanged)
        return 1;
    const std::span pattern(reinterpret_cast<const std::uint8_t*>(argv[3]), std::strlen(argv[3]));
    const auto start = std::chrono::steady_clock::now();
    const auto hit = byzel::findPattern(dump, pattern, 0, byzel::SearchDirection::Down, {});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%lld\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(elapsed).count()));
    std::fprintf(stderr, "hit %d\n", hit.value_or(-1));
    return 0;
}
