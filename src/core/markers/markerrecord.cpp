#include "core/markers/markerrecord.h"

#include "core/markerfile/byteorder.h"

#include <cstring>

namespace byzel {
namespace {
constexpr size_t kStartAt = 0, kEndAt = 4, kColorIndexAt = 8, kRemarkAt = 10, kColorAt = 264;
}

std::string_view MarkerRecord::remarkText() const {
    const void* nul = std::memchr(remark.data(), 0, remark.size());
    size_t length =
        nul ? static_cast<size_t>(static_cast<const char*>(nul) - remark.data()) : remark.size();
    return {remark.data(), length};
}

void MarkerRecord::encode(std::span<std::uint8_t, kMarkerRecordSize> out) const {
    storeLe32(&out[kStartAt], static_cast<std::uint32_t>(start));
    storeLe32(&out[kEndAt], static_cast<std::uint32_t>(end));
    storeLe16(&out[kColorIndexAt], colorIndex);
    std::memcpy(&out[kRemarkAt], remark.data(), remark.size());
    storeLe32(&out[kColorAt], color);
}

MarkerRecord::Image MarkerRecord::encode() const {
    Image image{};
    encode(std::span<std::uint8_t, kMarkerRecordSize>(image));
    return image;
}

MarkerRecord MarkerRecord::decode(std::span<const std::uint8_t, kMarkerRecordSize> in) {
    MarkerRecord r;
    r.start = static_cast<Offset>(loadLe32(&in[kStartAt]));
    r.end = static_cast<Offset>(loadLe32(&in[kEndAt]));
    r.colorIndex = loadLe16(&in[kColorIndexAt]);
    std::memcpy(r.remark.data(), &in[kRemarkAt], r.remark.size());
    r.color = loadLe32(&in[kColorAt]);
    return r;
}

} // namespace byzel
