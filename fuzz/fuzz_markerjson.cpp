// Feeds arbitrary text to byzel-cli's JSON marker import. Whatever it accepts must be a marker
// list the program can load as it stands, and writing that list as JSON again must read back
// to the very same contents.
#include "cli/markerjson.h"
#include "core/markerfile/markerfile.h"
#include "core/markers/markertable.h"
#include "fuzzinput.h"

#include <string_view>

using namespace byzel;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto imported =
        cli::markersFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    require(imported.contents.has_value() == imported.error.empty());
    if (!imported.contents)
        return 0;

    const auto& records = imported.contents->records;
    require(records.size() <= static_cast<std::size_t>(MarkerTable::kCapacity));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& r = records[i];
        require(r.start >= 0 && r.start <= r.end);
        require(r.remarkText().size() <= static_cast<std::size_t>(kMaxRemarkBytes));
        for (std::size_t j = i + 1; j < records.size(); ++j)
            require(records[j].end < r.start || records[j].start > r.end);
    }
    require(imported.contents->header.storedPath().size() <= kMaxStoredPathBytes);

    const auto again = cli::markersFromJson(cli::markersToJson(*imported.contents));
    require(again.contents.has_value());
    require(again.contents->header == imported.contents->header);
    require(again.contents->records == records);

    // The marker file written from it reads back with the same markers.
    const auto reread =
        parseMarkerFile(encodeMarkerFile(imported.contents->header, records));
    require(reread.has_value() && reread->records.size() == records.size());
    return 0;
}
