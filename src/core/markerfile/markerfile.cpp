#include "core/markerfile/markerfile.h"

#include "core/dumpfile/filecopy.h"
#include "core/dumpfile/replacingfile.h"
#include "core/dumpfile/uniquefd.h"
#include "core/ui/uiport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace byzel {
namespace {

bool hasTerminator(const char* text, std::size_t within) {
    return std::memchr(text, 0, within) != nullptr;
}

std::uint32_t loadBe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

void storeBe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

// Reads at most limit bytes; nothing on a read error.
std::optional<std::vector<std::uint8_t>> readPrefix(int fd, std::size_t limit) {
    std::vector<std::uint8_t> data(limit);
    std::size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, data.data() + got, limit - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        got += static_cast<std::size_t>(n);
    }
    data.resize(got);
    return data;
}

} // namespace

std::optional<MarkerFileContents> parseMarkerFile(std::span<const std::uint8_t> image) {
    if (image.size() < static_cast<std::size_t>(kMarkerRecordsAt))
        return std::nullopt;
    MarkerFileContents contents;
    contents.header = HeaderBlock::decode(image.first<kHeaderBlockSize>());
    if (!hasTerminator(contents.header.path.data(), contents.header.path.size()))
        return std::nullopt;
    // The count in memory is 16 bits wide: the high half of the stored value never counted.
    const std::size_t count = loadBe32(&image[kMarkerCountAt]) & 0xFFFF;
    if (count > static_cast<std::size_t>(MarkerTable::kCapacity))
        return std::nullopt;
    if (image.size() - kMarkerRecordsAt < count * kMarkerRecordSize)
        return std::nullopt;
    contents.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto at =
            image.subspan(kMarkerRecordsAt + i * kMarkerRecordSize).first<kMarkerRecordSize>();
        MarkerRecord r = MarkerRecord::decode(at);
        if (!hasTerminator(r.remark.data(), kMaxRemarkBytes + 1))
            return std::nullopt;
        if (isStandardColorIndex(r.colorIndex))
            r.color = standardColor(r.colorIndex);
        contents.records.push_back(r);
    }
    return contents;
}

std::vector<std::uint8_t> encodeMarkerFile(const HeaderBlock& header,
                                           std::span<const MarkerRecord> records) {
    std::vector<std::uint8_t> image(kMarkerRecordsAt + records.size() * kMarkerRecordSize);
    HeaderBlock written = header;
    written.countCopy = static_cast<std::uint16_t>(records.size());
    written.encode(std::span(image).first<kHeaderBlockSize>());
    storeBe32(&image[kMarkerCountAt], static_cast<std::uint32_t>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].encode(std::span(image)
                              .subspan(kMarkerRecordsAt + i * kMarkerRecordSize)
                              .first<kMarkerRecordSize>());
    return image;
}

std::optional<MarkerFileContents> readMarkerFile(const std::string& path, UiPort& ui) {
    const std::string pathLine = path + "\n";
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st;
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        showMessage(ui, msg::OpenFailed, pathLine);
        return std::nullopt;
    }
    auto image = readPrefix(fd.get(), kMaxMarkerFileBytes);
    auto contents = image ? parseMarkerFile(*image) : std::nullopt;
    if (!contents)
        showMessage(ui, msg::ReadFailed, pathLine);
    return contents;
}

bool readMarkerFile(const std::string& path, HeaderBlock& header, MarkerTable& markers,
                    UiPort& ui) {
    auto contents = readMarkerFile(path, ui);
    if (!contents)
        return false;
    header = contents->header;
    markers.assign(std::move(contents->records));
    return true;
}

bool writeMarkerFile(const std::string& path, const HeaderBlock& header, const MarkerTable& markers,
                     bool ask, UiPort& ui) {
    struct stat existing;
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (ask && exists && showMessage(ui, msg::AskOverwriteFile, {}, BoxStyle::YesNo) == No)
        return false;
    // A marker file is a file: a device or pipe in its place is refused, not written.
    ReplacingFile file;
    if ((exists && !S_ISREG(existing.st_mode)) || !file.open(path)) {
        showMessage(ui, msg::OpenFailed);
        return false;
    }
    const auto image = encodeMarkerFile(header, markers.records());
    if (!writeAll(file.fd(), image.data(), image.size()) || !file.commit()) {
        showMessage(ui, msg::WriteFailed);
        return false;
    }
    return true;
}

} // namespace byzel
