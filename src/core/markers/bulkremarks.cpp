#include "core/markers/bulkremarks.h"

#include "core/text/sjis.h"

#include <cstdio>

namespace byzel {
namespace {

constexpr std::size_t kTagBytes = 6;
// A remark too long for the table keeps this many bytes.
constexpr std::size_t kCutRemarkBytes = 238;

} // namespace

std::string bulkRemarkTag(int index) {
    char tag[16];
    std::snprintf(tag, sizeof tag, "[%04d]", index + 1);
    return tag;
}

std::string bulkRemarkText(const MarkerTable& markers) {
    std::string text;
    text.reserve(static_cast<std::size_t>(markers.count()) * 32);
    for (int i = 0; i < markers.count(); ++i) {
        text += bulkRemarkTag(i);
        text += markers[i].remarkText();
        text += "\r\n";
    }
    return text;
}

BulkStoreResult storeBulkRemarks(MarkerTable& markers, std::span<const std::string> lines) {
    BulkStoreResult result;
    for (int i = 0; i < markers.count(); ++i) {
        const std::string tag = bulkRemarkTag(i);
        const std::string_view line =
            i < static_cast<int>(lines.size()) ? std::string_view(lines[i]) : std::string_view();
        if (line.substr(0, kTagBytes) != tag) {
            result.wrongLine = i;
            return result;
        }
        std::string_view remark = line.substr(kTagBytes);
        if (remark == markers[i].remarkText())
            continue;
        if (remark.size() > kMaxRemarkBytes)
            remark = sjisPrefix(remark, kCutRemarkBytes);
        if (markers.setRemark(i, remark))
            result.changed = true;
    }
    return result;
}

} // namespace byzel
