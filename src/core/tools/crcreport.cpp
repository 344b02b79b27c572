#include "core/tools/crcreport.h"

#include "core/dumpfile/bytesource.h"
#include "core/text/messages.h"
#include "core/tools/crc32.h"
#include "core/ui/uiport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace byzel {

bool crcRangeValid(Offset reference, Offset clicked) {
    return clicked >= 0 && reference >= 0 && clicked >= reference;
}

std::optional<std::uint32_t> crcOfRange(const ByteSource& source, Offset first, Offset last,
                                        const ProgressFn& progress) {
    if (!crcRangeValid(first, last))
        return std::nullopt;
    const std::int64_t total = std::int64_t{last} - first + 1;
    std::vector<std::uint8_t> block(
        static_cast<std::size_t>(std::min<std::int64_t>(total, kPassBlockSize)));
    std::uint32_t crc = 0;
    std::int64_t done = 0;
    while (done < total) {
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>(total - done, static_cast<std::int64_t>(block.size())));
        const std::int32_t got =
            source.readAt(static_cast<Offset>(first + done), std::span(block.data(), want));
        if (got <= 0)
            return std::nullopt;
        crc = Crc32(crc, static_cast<std::size_t>(got), block.data());
        done += got;
        if (progress && !progress(done, total))
            return std::nullopt;
    }
    return crc;
}

std::string groupedCrc(std::uint32_t crc) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", (crc >> 24) & 0xFF, (crc >> 16) & 0xFF,
                  (crc >> 8) & 0xFF, crc & 0xFF);
    return text;
}

std::string crcReportText(Offset first, Offset last, std::uint32_t crc) {
    char addresses[64];
    std::snprintf(addresses, sizeof addresses, "Address:\t%08X - %08X\n",
                  static_cast<unsigned>(first), static_cast<unsigned>(last));
    return addresses + ("CRC:\t" + groupedCrc(crc) + "\n");
}

void showCrcReport(UiPort& ui, Offset first, Offset last, std::uint32_t crc) {
    showMessage(ui, msg::CrcReport, crcReportText(first, last, crc), BoxStyle::Information);
}

} // namespace byzel
