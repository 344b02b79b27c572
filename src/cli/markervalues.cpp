#include "cli/markervalues.h"

#include "core/text/sjis.h"

#include <algorithm>

namespace byzel::cli {

MarkerReading readMarker(const ByteSource& source, const MarkerRecord& marker) {
    MarkerReading reading;
    if (marker.start < 0 || marker.end < marker.start) {
        reading.status = MarkerReading::Status::Invalid;
        return reading;
    }
    const std::int64_t present =
        std::clamp<std::int64_t>(source.size() - marker.start, 0, marker.byteCount());
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(present, kShownMarkerBytes));
    std::size_t got = 0;
    while (got < wanted) {
        const std::int32_t n = source.readAt(static_cast<Offset>(marker.start + got),
                                             std::span(reading.first).subspan(got, wanted - got));
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    reading.firstCount = static_cast<int>(got);
    reading.cut = present > static_cast<std::int64_t>(got);
    if (present < marker.byteCount() || got < wanted)
        reading.status = MarkerReading::Status::Short;
    return reading;
}

const char* statusName(MarkerReading::Status status) {
    switch (status) {
    case MarkerReading::Status::Whole:
        return "ok";
    case MarkerReading::Status::Short:
        return "short";
    case MarkerReading::Status::Invalid:
        return "invalid";
    }
    return "";
}

std::string hexColumn(const MarkerReading& reading) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(kShownMarkerBytes * 3 + 4);
    for (const std::uint8_t b : reading.shown()) {
        if (!hex.empty())
            hex += ' ';
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    if (reading.cut)
        hex += " ...";
    return hex;
}

namespace {

bool hasValue(const MarkerReading& reading, std::int64_t markerLength) {
    return reading.status == MarkerReading::Status::Whole && markerLength >= 1 &&
           markerLength <= kMaxValueBytes && reading.firstCount == markerLength;
}

} // namespace

std::optional<std::uint64_t> littleEndianValue(const MarkerReading& reading,
                                               std::int64_t markerLength) {
    if (!hasValue(reading, markerLength))
        return std::nullopt;
    std::uint64_t value = 0;
    for (int i = reading.firstCount - 1; i >= 0; --i)
        value = value << 8 | reading.first[static_cast<std::size_t>(i)];
    return value;
}

std::optional<std::uint64_t> bigEndianValue(const MarkerReading& reading,
                                            std::int64_t markerLength) {
    if (!hasValue(reading, markerLength))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const std::uint8_t b : reading.shown())
        value = value << 8 | b;
    return value;
}

std::string textColumn(const MarkerReading& reading) {
    // Control bytes are never the second byte of a double-byte character, so they can be
    // blanked before decoding.
    std::string bytes(reading.shown().begin(), reading.shown().end());
    for (char& c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const std::string_view whole = bytes;
    std::string text = cp932ToUtf8(reading.cut ? sjisPrefix(whole, whole.size()) : whole);
    // Single bytes the code page maps to C1 controls (0x80).
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\xC2' && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            text.replace(i, 2, " ");
    return text;
}

} // namespace byzel::cli
