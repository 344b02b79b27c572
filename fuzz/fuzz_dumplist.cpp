// Composes dump lists of arbitrary data, markers and remarks, from any top row and remark
// column, with a reader that may hand out short reads. Whatever comes in, every row line is 76
// characters holding the row's address and its bytes in hexadecimal, the rows follow one
// another, and a remark entry belongs to the marker the remark column names.
#include "core/dumplist/dumplist.h"
#include "core/markers/markertable.h"
#include "fuzzinput.h"
#include "memorysource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using namespace byzel;
using fuzz::require;

class CheckingTarget : public DumpListTarget {
public:
    CheckingTarget(const std::vector<std::uint8_t>& data, const MarkerTable& markers,
                   Offset topRow, int remarkColumnStart, bool dumpOnly)
        : m_data(data), m_markers(markers), m_topRow(topRow),
          m_remarkColumnStart(remarkColumnStart), m_dumpOnly(dumpOnly) {}

    void headerLines(std::string_view header, std::string_view) override {
        require(m_headers == 0 && m_rows == 0);
        ++m_headers;
        require(header.substr(0, kRowLineLength) == kDumpHeader);
    }

    bool row(const DumpRow& row) override {
        require(m_headers == 1);
        require(row.lineIndex == m_rows && row.number == m_topRow + m_rows);
        require(row.line.size() == static_cast<std::size_t>(kRowLineLength));

        const std::int64_t first = static_cast<std::int64_t>(row.number) * kBytesPerRow;
        const auto available = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(m_data.size()) - first, 0, kBytesPerRow);
        require(row.byteCount == available);

        char expected[16];
        std::snprintf(expected, sizeof expected, "%07X0 ", static_cast<unsigned>(row.number));
        require(row.line.substr(0, 9) == expected);
        for (int i = 0; i < row.byteCount; ++i) {
            std::snprintf(expected, sizeof expected, "%02X ",
                          m_data[static_cast<std::size_t>(first + i)]);
            require(row.line.substr(static_cast<std::size_t>(kHexColumn + 3 * i), 3) == expected);
        }
        for (int i = row.byteCount; i < kBytesPerRow; ++i)
            require(row.line.substr(static_cast<std::size_t>(kHexColumn + 3 * i), 3) == "   ");

        const std::int64_t entry = static_cast<std::int64_t>(m_remarkColumnStart) + m_rows;
        const bool hasEntry = !m_dumpOnly && entry >= 0 && entry < m_markers.count();
        require(row.hasRemarkEntry() == hasEntry);
        if (hasEntry) {
            const auto& marker = m_markers[static_cast<int>(entry)];
            std::snprintf(expected, sizeof expected, "%5d ", static_cast<int>(entry) + 1);
            require(row.remarkEntry.substr(0, std::strlen(expected)) == expected);
            require(row.remarkEntry.substr(std::strlen(expected)) == marker.remarkText());
            require(row.markerColor == marker.color);
        } else {
            require(row.remarkEntry.empty());
        }
        ++m_rows;
        return true;
    }

    [[nodiscard]] int rows() const { return m_rows; }

private:
    const std::vector<std::uint8_t>& m_data;
    const MarkerTable& m_markers;
    Offset m_topRow;
    int m_remarkColumnStart;
    bool m_dumpOnly;
    int m_headers = 0;
    int m_rows = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in({data, size});
    const std::uint8_t mode = in.byte();
    const bool dumpOnly = (mode & 1) != 0;
    // Mostly rows near the data, sometimes any row at all.
    const auto topWord = static_cast<std::int32_t>(in.word());
    const Offset topRow = (mode & 2) != 0 ? topWord : topWord % 8;
    const auto remarkWord = static_cast<std::int32_t>(in.word());
    const int remarkColumnStart = (mode & 4) != 0 ? remarkWord : remarkWord % 8;
    const int rowCount = static_cast<std::int8_t>(in.byte());
    const std::size_t readLimit = 1 + in.byte();

    // Markers as a marker file may hold them: any range, any colour, any remark bytes, with or
    // without a terminator.
    std::vector<MarkerRecord> records(in.byte() % 8);
    for (auto& record : records) {
        record.start = static_cast<Offset>(in.word());
        record.end = static_cast<Offset>(in.word());
        record.color = in.word();
        const auto remark = in.bytes(in.byte());
        std::copy(remark.begin(),
                  remark.begin() + static_cast<long>(std::min(remark.size(), record.remark.size())),
                  record.remark.begin());
    }
    MarkerTable markers;
    markers.assign(std::move(records));

    const auto tail = in.rest();
    const std::vector<std::uint8_t> bytes(tail.begin(), tail.end());
    testing::MemorySource source(bytes);
    source.limitReads(readLimit);

    CheckingTarget target(bytes, markers, topRow, remarkColumnStart, dumpOnly);
    OutputDumpList(source, markers, topRow, remarkColumnStart, rowCount, target, dumpOnly);
    if (topRow >= 0 && topRow <= kMaxRow && rowCount > 0) {
        // Every row up to the first short one, the last of the data.
        const std::int64_t rowsOfData =
            static_cast<std::int64_t>(bytes.size()) / kBytesPerRow + 1 - topRow;
        require(target.rows() == std::clamp<std::int64_t>(rowsOfData, 1, rowCount));
    } else {
        require(target.rows() == 0);
    }
    return 0;
}
