#include "core/headerblock.h"

#include "core/byteorder.h"
#include "core/sjis.h"

#include <cstring>

namespace byzel {
namespace {
constexpr std::size_t kLinkLinesAt = 256, kReservedAt = 260, kLinkedScrollingAt = 264,
                      kCountCopyAt = 268, kPaddingAt = 270;
}

std::string storedPathForm(std::string_view utf8Path) {
    if (auto cp932 = utf8ToCp932(utf8Path))
        return std::move(*cp932);
    return std::string(utf8Path);
}

std::string_view HeaderBlock::storedPath() const {
    const void* nul = std::memchr(path.data(), 0, path.size());
    std::size_t length =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - path.data()) : path.size();
    return {path.data(), length};
}

std::vector<std::string> HeaderBlock::dumpPathCandidates() const {
    std::vector<std::string> candidates;
    std::string_view stored = storedPath();
    if (stored.empty())
        return candidates;
    candidates.push_back(cp932ToUtf8(stored));
    if (candidates.front() != stored)
        candidates.emplace_back(stored);
    return candidates;
}

bool HeaderBlock::setDumpPath(std::string_view utf8Path) {
    std::string stored = storedPathForm(utf8Path);
    if (stored.size() > kMaxStoredPathBytes || stored.find('\0') != std::string::npos)
        return false;
    path.fill(0);
    std::memcpy(path.data(), stored.data(), stored.size());
    return true;
}

void HeaderBlock::encode(std::span<std::uint8_t, kHeaderBlockSize> out) const {
    std::memcpy(out.data(), path.data(), path.size());
    storeLe32(&out[kLinkLinesAt], static_cast<std::uint32_t>(linkLines));
    storeLe32(&out[kReservedAt], reserved);
    storeLe32(&out[kLinkedScrollingAt], static_cast<std::uint32_t>(linkedScrolling));
    storeLe16(&out[kCountCopyAt], countCopy);
    storeLe16(&out[kPaddingAt], padding);
}

HeaderBlock::Image HeaderBlock::encode() const {
    Image image{};
    encode(std::span<std::uint8_t, kHeaderBlockSize>(image));
    return image;
}

HeaderBlock HeaderBlock::decode(std::span<const std::uint8_t, kHeaderBlockSize> in) {
    HeaderBlock h;
    std::memcpy(h.path.data(), in.data(), h.path.size());
    h.linkLines = static_cast<std::int32_t>(loadLe32(&in[kLinkLinesAt]));
    h.reserved = loadLe32(&in[kReservedAt]);
    h.linkedScrolling = static_cast<std::int32_t>(loadLe32(&in[kLinkedScrollingAt]));
    h.countCopy = loadLe16(&in[kCountCopyAt]);
    h.padding = loadLe16(&in[kPaddingAt]);
    return h;
}

} // namespace byzel
