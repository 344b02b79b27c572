#pragma once

#include "core/markerfile/headerblock.h"
#include "core/markers/markerrecord.h"
#include "core/markers/markertable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace byzel {

class UiPort;

// Offset of the big-endian marker count, which follows the header block.
inline constexpr int kMarkerCountAt = kHeaderBlockSize;
inline constexpr int kMarkerRecordsAt = kMarkerCountAt + 4;
// A full table; anything after it is never looked at.
inline constexpr std::size_t kMaxMarkerFileBytes =
    kMarkerRecordsAt + std::size_t{MarkerTable::kCapacity} * kMarkerRecordSize;

struct MarkerFileContents {
    HeaderBlock header;
    std::vector<MarkerRecord> records;
};

// Reads a marker file image. Only the low 16 bits of the count are significant. A record with
// a colour number 1 to 8 gets that standard colour; the number itself stays for the next save.
// Refuses (nothing) an image shorter than its count says, a count above the table's capacity,
// a path without its terminator, or a remark without one within its 240 bytes. Bytes after
// the last record are ignored, as old files may carry them.
[[nodiscard]] std::optional<MarkerFileContents>
parseMarkerFile(std::span<const std::uint8_t> image);

// The image of a work: its header block with the current count in the count copy, the
// big-endian count, then the records.
[[nodiscard]] std::vector<std::uint8_t> encodeMarkerFile(const HeaderBlock& header,
                                                         std::span<const MarkerRecord> records);

// Reads the marker file at path. Shows 30003 with the path when it cannot be opened and 30044
// with the path when it is not a well-formed marker file.
[[nodiscard]] std::optional<MarkerFileContents> readMarkerFile(const std::string& path, UiPort& ui);
// The same, taking the header block and the markers over only when the whole file was read, so
// a refused file leaves the work as it was. The markers are neither sorted nor checked.
bool readMarkerFile(const std::string& path, HeaderBlock& header, MarkerTable& markers, UiPort& ui);

// Saves header and markers to path. With ask set, an existing file is overwritten only after
// 30005 was answered other than No. The file is written beside the target and renamed over it,
// so a failed save (30003 when nothing can be created, 30006 when writing fails) leaves the
// previous file whole. An existing file keeps its permission bits.
bool writeMarkerFile(const std::string& path, const HeaderBlock& header, const MarkerTable& markers,
                     bool ask, UiPort& ui);

} // namespace byzel
