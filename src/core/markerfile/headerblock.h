#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace byzel {

inline constexpr int kHeaderBlockSize = 272;
inline constexpr int kPathFieldSize = 256;
// The path and its terminator must fit in the 256-byte field.
inline constexpr std::size_t kMaxStoredPathBytes = 255;

// The form a path takes in the header: CP932 when every character has a CP932 form, so files
// stay readable by the Windows program; otherwise the UTF-8 bytes as they are.
[[nodiscard]] std::string storedPathForm(std::string_view utf8Path);
[[nodiscard]] inline std::size_t storedPathLength(std::string_view utf8Path) {
    return storedPathForm(utf8Path).size();
}

// The first 272 bytes of a marker file, held as the work's header block: the dump file's path
// and the two display switches. Fields nobody interprets are carried over as read, so a file
// saved again keeps them.
struct HeaderBlock {
    // NUL-terminated stored path; bytes after the terminator are carried but not significant.
    std::array<char, kPathFieldSize> path{};
    std::int32_t linkLines = 0;
    std::uint32_t reserved = 0;
    std::int32_t linkedScrolling = 0;
    // Marker count when last written; reading ignores it, writing puts the current count here.
    std::uint16_t countCopy = 0;
    std::uint16_t padding = 0;

    [[nodiscard]] bool linkLinesOn() const { return linkLines != 0; }
    [[nodiscard]] bool linkedScrollingOn() const { return linkedScrolling != 0; }

    // Stored bytes of the path, up to the terminator (the whole field when there is none).
    [[nodiscard]] std::string_view storedPath() const;
    // Where the dump file may be, as native (UTF-8) paths: the stored bytes read as CP932 and,
    // when that reads differently, the bytes as they are. Empty when no path is stored.
    [[nodiscard]] std::vector<std::string> dumpPathCandidates() const;
    // Stores the path in its stored form; false, changing nothing, when that form does not fit
    // (256 bytes or more) or holds a NUL.
    [[nodiscard]] bool setDumpPath(std::string_view utf8Path);
    void clearDumpPath() { path.fill(0); }

    using Image = std::array<std::uint8_t, kHeaderBlockSize>;
    void encode(std::span<std::uint8_t, kHeaderBlockSize> out) const;
    [[nodiscard]] Image encode() const;
    [[nodiscard]] static HeaderBlock decode(std::span<const std::uint8_t, kHeaderBlockSize> in);

    friend bool operator==(const HeaderBlock&, const HeaderBlock&) = default;
};

} // namespace byzel
