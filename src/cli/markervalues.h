#pragma once

#include "core/dumpfile/bytesource.h"
#include "core/markers/markerrecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace byzel::cli {

// How much of a marker the hex and text columns show; longer markers are cut there.
inline constexpr int kShownMarkerBytes = 32;
// Markers up to this length also show as unsigned numbers.
inline constexpr int kMaxValueBytes = 8;

// The start of one marker's bytes in one file: all a row needs, however long the marker is.
struct MarkerReading {
    enum class Status { Whole, Short, Invalid };

    Status status = Status::Whole;
    // The marker's first bytes, as many as the file holds, up to kShownMarkerBytes.
    std::array<std::uint8_t, kShownMarkerBytes> first{};
    int firstCount = 0;
    // Whether the file holds more of the marker than first.
    bool cut = false;

    [[nodiscard]] std::span<const std::uint8_t> shown() const {
        return {first.data(), static_cast<std::size_t>(firstCount)};
    }
};

// Reads the marker's first bytes from source. Short: the marker reaches past the end of the
// file, which holds only part of it (or none of it). Invalid: a negative start or an end before
// the start, as a damaged marker file may hold; nothing is read then.
[[nodiscard]] MarkerReading readMarker(const ByteSource& source, const MarkerRecord& marker);

[[nodiscard]] const char* statusName(MarkerReading::Status status);

// The bytes as hexadecimal pairs ("52 49 46 46"), followed by " ..." when the marker goes on.
[[nodiscard]] std::string hexColumn(const MarkerReading& reading);

// The marker's value for markers of 1 to 8 bytes that the file holds whole.
[[nodiscard]] std::optional<std::uint64_t> littleEndianValue(const MarkerReading& reading,
                                                             std::int64_t markerLength);
[[nodiscard]] std::optional<std::uint64_t> bigEndianValue(const MarkerReading& reading,
                                                          std::int64_t markerLength);

// The bytes read as Shift-JIS, in UTF-8. Control characters become spaces so that the column
// stays one line and cannot drive a terminal; a double-byte character cut by the end of the
// shown bytes is left out.
[[nodiscard]] std::string textColumn(const MarkerReading& reading);

} // namespace byzel::cli
