// Feeds arbitrary bytes to the marker file reader. Whatever it takes in must be a consistent
// work, and saving that work must give back the file it came from wherever the work did not
// change it, and read back to the same work.
#include "core/markerfile/markerfile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace byzel;

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool sameBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    return std::memcmp(a, b, n) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = parseMarkerFile({data, size});
    if (!parsed)
        return 0;

    const std::size_t count = parsed->records.size();
    require(count <= static_cast<std::size_t>(MarkerTable::kCapacity));
    require(parsed->header.storedPath().size() <= kMaxStoredPathBytes);
    for (const auto& r : parsed->records) {
        require(r.remarkText().size() <= static_cast<std::size_t>(kMaxRemarkBytes));
        require(!isStandardColorIndex(r.colorIndex) || r.color == standardColor(r.colorIndex));
    }

    const auto image = encodeMarkerFile(parsed->header, parsed->records);
    require(image.size() == kMarkerRecordsAt + count * kMarkerRecordSize);
    // Header as read, but for the count copy; the low half of the count; records as read, but
    // for the colour that a colour number replaces.
    require(sameBytes(image.data(), data, 268) && sameBytes(&image[270], &data[270], 2));
    require(image[272] == 0 && image[273] == 0 && sameBytes(&image[274], &data[274], 2));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kMarkerRecordsAt + i * kMarkerRecordSize;
        const bool recoloured = isStandardColorIndex(parsed->records[i].colorIndex);
        require(sameBytes(&image[at], &data[at], recoloured ? 264 : kMarkerRecordSize));
    }

    const auto reread = parseMarkerFile(image);
    require(reread.has_value());
    require(reread->records == parsed->records);
    HeaderBlock expected = parsed->header;
    expected.countCopy = static_cast<std::uint16_t>(count);
    require(reread->header == expected);
    require(encodeMarkerFile(reread->header, reread->records) == image);
    return 0;
}
