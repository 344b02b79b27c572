#include "core/markerfile/headerblock.h"

#include "core/markerfile/byteorder.h"
#include "core/text/sjis.h"

#include <cstring>
#include <optional>

namespace byzel {
namespace {
constexpr std::size_t kLinkLinesAt = 256, kReservedAt = 260, kLinkedScrollingAt = 264,
                      kCountCopyAt = 268, kPaddingAt = 270;

// The CP932 form of a path, when it reads back as the very same path. Some characters ("〜",
// "¥", "−" ...) have only a look-alike in CP932, which would name another file.
std::optional<std::string> faithfulCp932(std::string_view utf8Path) {
    auto cp932 = utf8ToCp932(utf8Path);
    if (cp932 && cp932ToUtf8(*cp932) == utf8Path)
        return cp932;
    return std::nullopt;
}

} // namespace

std::string storedPathForm(std::string_view utf8Path) {
    if (auto cp932 = faithfulCp932(utf8Path))
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
    std::string decoded = cp932ToUtf8(stored);
    if (decoded == stored)
        return {std::move(decoded)};
    // UTF-8 bytes often read as valid CP932 too (half-width katakana); a path that we would
    // have stored as UTF-8 is taken as UTF-8 first.
    if (isValidUtf8(stored) && !faithfulCp932(stored))
        return {std::string(stored), std::move(decoded)};
    return {std::move(decoded), std::string(stored)};
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
