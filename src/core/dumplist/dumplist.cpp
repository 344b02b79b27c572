#include "core/dumplist/dumplist.h"

#include "core/dumpfile/bytesource.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace byzel {
namespace {

static_assert(kFullHeader.size() == 103 && kFullRule.size() == 101);
static_assert(kDumpHeader.size() == kRowLineLength);
static_assert(kNumberCellColumn == kRowLineLength);

constexpr char kHexDigits[] = "0123456789ABCDEF";

// "XX  " for every byte value. A cell is three characters; copying four at once is cheaper, and
// the spare space lands where the next cell or the text column is written anyway.
constexpr auto kHexCells = [] {
    std::array<std::array<char, 4>, 256> cells{};
    for (int b = 0; b < 256; ++b)
        cells[static_cast<size_t>(b)] = {kHexDigits[b >> 4], kHexDigits[b & 0xF], ' ', ' '};
    return cells;
}();

// Lead bytes of the listing: 0x81-0x9F and 0xE0-0xEE only.
constexpr bool isListingLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEE);
}

// Per byte value, the character its cell shows (low byte) and what the cell holds (next byte).
// The second half is for a byte that follows a lead byte: it is placed unchanged whatever its
// value, and a zero placed so is flagged, because it ends the text column. Bytes whose low
// seven bits are below 0x20 (controls and 0x80) otherwise show as spaces. One lookup per byte
// and no branches: random data would mispredict every one.
constexpr std::uint16_t kEndsColumn = 0x8000;
constexpr auto kTextCells = [] {
    std::array<std::uint16_t, 512> cells{};
    auto entry = [](int shown, TextCell cell) {
        return static_cast<std::uint16_t>(shown | static_cast<int>(cell) << 8);
    };
    for (int b = 0; b < 256; ++b) {
        cells[static_cast<size_t>(b)] = isListingLead(b)    ? entry(b, TextCell::PairFirst)
                                        : (b & 0x7F) < 0x20 ? entry(' ', TextCell::Blank)
                                                            : entry(b, TextCell::Byte);
        cells[static_cast<size_t>(256 + b)] = entry(b, TextCell::PairSecond);
    }
    cells[256] |= kEndsColumn;
    return cells;
}();

constexpr auto kIsLead = [] {
    std::array<std::uint8_t, 256> lead{};
    for (int b = 0; b < 256; ++b)
        lead[static_cast<size_t>(b)] = isListingLead(b) ? 1 : 0;
    return lead;
}();

// Hands out the rows' bytes, reading the source in blocks: one positioned read per row would
// dominate a whole-file export. A page reads only its own rows.
class RowReader {
public:
    RowReader(const ByteSource& source, Offset firstRow, int rowCount)
        : m_source(source), m_offset(static_cast<std::int64_t>(firstRow) * kBytesPerRow),
          m_bytesLeft(static_cast<std::int64_t>(rowCount) * kBytesPerRow),
          m_buffer(static_cast<size_t>(std::min<std::int64_t>(m_bytesLeft, kBlockSize))) {}

    // Up to 16 bytes of the next row; fewer at the end of the data.
    std::span<const std::uint8_t> next() {
        if (m_pos == m_filled && !m_atEnd)
            refill();
        const size_t n = std::min<size_t>(kBytesPerRow, m_filled - m_pos);
        std::span<const std::uint8_t> row(m_buffer.data() + m_pos, n);
        m_pos += n;
        return row;
    }

private:
    static constexpr std::int64_t kBlockSize = 64 * 1024;

    // Fills the block; a reader may hand out less than asked for, and only a read that brings
    // nothing means the end of the data.
    void refill() {
        const auto want = static_cast<size_t>(std::min<std::int64_t>(m_bytesLeft, kBlockSize));
        size_t n = 0;
        while (n < want && m_offset + static_cast<std::int64_t>(n) <= INT32_MAX) {
            const std::int32_t got =
                m_source.readAt(static_cast<Offset>(m_offset + static_cast<std::int64_t>(n)),
                                {m_buffer.data() + n, want - n});
            if (got <= 0)
                break;
            n += std::min(static_cast<size_t>(got), want - n);
        }
        m_atEnd = n < want;
        m_offset += static_cast<std::int64_t>(n);
        m_bytesLeft -= static_cast<std::int64_t>(n);
        m_pos = 0;
        m_filled = n;
    }

    const ByteSource& m_source;
    std::int64_t m_offset;
    std::int64_t m_bytesLeft;
    std::vector<std::uint8_t> m_buffer;
    size_t m_pos = 0;
    size_t m_filled = 0;
    bool m_atEnd = false;
};

// Builds row lines one after the other. A lead byte in a row's last position opens the next
// row's text column, so the composer carries it from row to row within one listing.
class RowComposer {
public:
    void compose(Offset number, std::span<const std::uint8_t> bytes) {
        std::memset(m_line.data(), ' ', m_line.size());
        char* out = m_line.data();
        for (int shift = 24; shift >= 0; shift -= 4)
            *out++ = kHexDigits[(number >> shift) & 0xF];
        *out = '0';
        out = m_line.data() + kHexColumn;
        for (std::uint8_t b : bytes) {
            std::memcpy(out, kHexCells[b].data(), 4);
            out += 3;
        }
        composeText(bytes);
    }

    [[nodiscard]] std::string_view line() const { return {m_line.data(), m_line.size()}; }
    [[nodiscard]] std::span<const TextCell, kMaxTextCells> cells() const { return m_cells; }

private:
    void composeText(std::span<const std::uint8_t> bytes) {
        char* text = m_line.data() + kTextColumn;
        TextCell* cells = m_cells.data();
        m_cells.fill(TextCell::Blank);
        // 1 while the byte before was a lead byte and this one is its second byte.
        unsigned pending = 0;
        if (m_carried) {
            *text++ = static_cast<char>(m_carriedByte);
            *cells++ = TextCell::PairFirst;
            pending = 1;
            m_carried = false;
        }
        unsigned flags = 0;
        for (std::uint8_t b : bytes) {
            const std::uint16_t entry = kTextCells[pending * 256 + b];
            *text++ = static_cast<char>(entry & 0xFF);
            *cells++ = static_cast<TextCell>((entry >> 8) & 0x3);
            flags |= entry;
            pending = (pending ^ 1) & kIsLead[b];
        }
        if (pending != 0) {
            if (bytes.size() == kBytesPerRow) {
                // A lead byte in the last position is shown with its second byte in the next row.
                m_carried = true;
                m_carriedByte = bytes.back();
                text[-1] = ' ';
                cells[-1] = TextCell::Blank;
            } else {
                // The data ended right after a lead byte: it stands alone.
                cells[-1] = TextCell::Byte;
            }
        }
        if ((flags & kEndsColumn) != 0)
            endAtZero();
    }

    // A zero placed as a second byte ends the column: its lead byte stands alone and nothing
    // from the zero's cell on is shown.
    void endAtZero() {
        char* text = m_line.data() + kTextColumn;
        size_t end = 1;
        while (text[end] != 0 || m_cells[end] != TextCell::PairSecond)
            ++end;
        m_cells[end - 1] = TextCell::Byte;
        std::memset(text + end, ' ', kMaxTextCells - end);
        std::fill(m_cells.begin() + static_cast<std::ptrdiff_t>(end), m_cells.end(),
                  TextCell::Blank);
    }

    std::array<char, kRowLineLength> m_line{};
    std::array<TextCell, kMaxTextCells> m_cells{};
    bool m_carried = false;
    std::uint8_t m_carriedByte = 0;
};

// "%5d %s" in a buffer reused for every entry of the listing.
class RemarkEntryFormatter {
public:
    std::string_view format(int number, std::string_view remark) {
        char digits[16];
        const char* end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        const auto width = static_cast<size_t>(end - digits);
        const size_t pad = width < kNumberCellWidth ? kNumberCellWidth - width : 0;
        remark = remark.substr(0, m_buffer.size() - pad - width - 1);
        char* out = m_buffer.data();
        std::memset(out, ' ', pad);
        out += pad;
        std::memcpy(out, digits, width);
        out += width;
        *out++ = ' ';
        out = std::copy(remark.begin(), remark.end(), out);
        return {m_buffer.data(), static_cast<size_t>(out - m_buffer.data())};
    }

private:
    std::array<char, 16 + kRemarkFieldSize> m_buffer{};
};

} // namespace

void OutputDumpList(const ByteSource& source, const MarkerTable& markers, Offset topRow,
                    int remarkColumnStart, int rowCount, DumpListTarget& target, bool dumpOnly) {
    target.headerLines(dumpOnly ? kDumpHeader : kFullHeader, dumpOnly ? kDumpRule : kFullRule);
    if (topRow < 0 || topRow > kMaxRow || rowCount <= 0)
        return;
    // No dump file reaches past kMaxRow; stopping there keeps offsets within 32 bits.
    const int rows = std::min(rowCount, kMaxRow - topRow + 1);

    RowReader reader(source, topRow, rows);
    RowComposer composer;
    RemarkEntryFormatter entries;
    for (int k = 0; k < rows; ++k) {
        const auto bytes = reader.next();
        composer.compose(topRow + k, bytes);

        DumpRow row{.lineIndex = k,
                    .number = topRow + k,
                    .byteCount = static_cast<int>(bytes.size()),
                    .line = composer.line(),
                    .cells = composer.cells(),
                    .markerIndex = -1,
                    .markerColor = 0,
                    .remarkEntry = {}};
        const std::int64_t index = static_cast<std::int64_t>(remarkColumnStart) + k;
        if (!dumpOnly && index >= 0 && index < markers.count()) {
            const MarkerRecord& marker = markers[static_cast<int>(index)];
            row.markerIndex = static_cast<int>(index);
            row.markerColor = marker.color;
            row.remarkEntry = entries.format(row.markerIndex + 1, marker.remarkText());
        }
        if (!target.row(row) || row.byteCount < kBytesPerRow)
            return;
    }
}

} // namespace byzel
