#include "cli/markerchecks.h"

#include <algorithm>

namespace byzel::cli {
namespace {

std::string bytesOf(const MarkerRecord& r) {
    return std::to_string(r.start) + ".." + std::to_string(r.end);
}

} // namespace

std::vector<std::string> markerProblems(std::span<const MarkerRecord> records) {
    std::vector<std::string> problems;
    std::vector<std::size_t> ranges; // markers with a well-formed range
    for (std::size_t i = 0; i < records.size(); ++i) {
        const MarkerRecord& r = records[i];
        const std::string label = "marker " + std::to_string(i + 1) + ": ";
        if (r.start < 0 || r.end < 0)
            problems.push_back(label + "bytes " + bytesOf(r) + " reach below offset 0");
        else if (r.start > r.end)
            problems.push_back(label + "start " + std::to_string(r.start) + " is after end " +
                               std::to_string(r.end));
        else
            ranges.push_back(i);
    }

    // Sweep by start, keeping the marker that reaches furthest: every marker that begins
    // before that one ends shares a byte with it.
    std::stable_sort(ranges.begin(), ranges.end(), [&](std::size_t a, std::size_t b) {
        return records[a].start < records[b].start;
    });
    std::size_t reach = ranges.empty() ? 0 : ranges.front();
    for (std::size_t k = 1; k < ranges.size(); ++k) {
        const std::size_t next = ranges[k];
        if (records[next].start <= records[reach].end) {
            const auto [first, second] = std::minmax(reach, next);
            problems.push_back("markers " + std::to_string(first + 1) + " and " +
                               std::to_string(second + 1) + " overlap (bytes " +
                               bytesOf(records[first]) + " and " + bytesOf(records[second]) + ")");
        }
        if (records[next].end > records[reach].end)
            reach = next;
    }
    return problems;
}

} // namespace byzel::cli
