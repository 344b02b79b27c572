#include "core/dumplist.h"

#include "core/bytesource.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace byzel {
namespace {

static_assert(kFullHeader.size() == 103 && kFullRule.size() == 101);
static_assert(kDumpHeader.size() == kRowLineLength);

constexpr char kHexDigits[] = "0123456789ABCDEF";

// "XX " for every byte value: a row's hexadecimal part is sixteen three-byte copies.
constexpr auto kHexCells = [] {
    std::array<std::array<char, 3>, 256> cells{};
    for (int b = 0; b < 256; ++b)
        cells[static_cast<size_t>(b)] = {kHexDigits[b >> 4], kHexDigits[b & 0xF], ' '};
    return cells;
}();

enum class ByteKind : std::uint8_t { Shown, Lead, Hidden };

// The listing's own lead bytes: 0x81-0x9F and 0xE0-0xEE. Bytes whose low seven bits are below
// 0x20 (controls and 0x80) show as spaces.
constexpr auto kByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int b = 0; b < 256; ++b) {
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEE))
            kinds[static_cast<size_t>(b)] = ByteKind::Lead;
        else if ((b & 0x7F) < 0x20)
            kinds[static_cast<size_t>(b)] = ByteKind::Hidden;
        else
            kinds[static_cast<size_t>(b)] = ByteKind::Shown;
    }
    return kinds;
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

    void refill() {
        const auto want = static_cast<size_t>(std::min<std::int64_t>(m_bytesLeft, kBlockSize));
        std::int32_t got = 0;
        if (m_offset <= INT32_MAX)
            got = m_source.readAt(static_cast<Offset>(m_offset), {m_buffer.data(), want});
        // A reader that reports more than was asked for is not trusted beyond the request.
        const auto n =
            static_cast<size_t>(std::clamp<std::int64_t>(got, 0, static_cast<std::int64_t>(want)));
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
        *out++ = '0';
        ++out;
        for (std::uint8_t b : bytes) {
            std::memcpy(out, kHexCells[b].data(), 3);
            out += 3;
        }
        composeText(bytes);
    }

    [[nodiscard]] std::string_view line() const { return {m_line.data(), m_line.size()}; }
    [[nodiscard]] std::span<const TextCell, kMaxTextCells> cells() const { return m_cells; }

private:
    void composeText(std::span<const std::uint8_t> bytes) {
        char* text = m_line.data() + kTextColumn;
        m_cells.fill(TextCell::Blank);
        int cell = 0;
        bool pending = false;
        // A zero placed as a second byte ends the column: nothing from its cell on is shown.
        int end = kMaxTextCells;
        if (m_carried) {
            text[0] = static_cast<char>(m_carriedByte);
            m_cells[0] = TextCell::PairFirst;
            cell = 1;
            pending = true;
            m_carried = false;
        }
        const int n = static_cast<int>(bytes.size());
        for (int i = 0; i < n; ++i, ++cell) {
            const std::uint8_t b = bytes[static_cast<size_t>(i)];
            const auto c = static_cast<size_t>(cell);
            if (pending) {
                pending = false;
                text[c] = static_cast<char>(b);
                m_cells[c] = TextCell::PairSecond;
                if (b == 0 && end == kMaxTextCells)
                    end = cell;
                continue;
            }
            switch (kByteKinds[b]) {
            case ByteKind::Lead:
                pending = true;
                if (i == kBytesPerRow - 1) {
                    m_carried = true;
                    m_carriedByte = b;
                } else {
                    text[c] = static_cast<char>(b);
                    m_cells[c] = TextCell::PairFirst;
                }
                break;
            case ByteKind::Hidden:
                break;
            case ByteKind::Shown:
                text[c] = static_cast<char>(b);
                m_cells[c] = TextCell::Byte;
                break;
            }
        }
        // The data ended right after a lead byte: it stands alone.
        if (pending && !m_carried)
            m_cells[static_cast<size_t>(cell - 1)] = TextCell::Byte;
        if (end < kMaxTextCells) {
            m_cells[static_cast<size_t>(end - 1)] = TextCell::Byte;
            std::memset(text + end, ' ', static_cast<size_t>(kMaxTextCells - end));
            std::fill(m_cells.begin() + end, m_cells.end(), TextCell::Blank);
        }
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
        const auto [end, ec] = std::to_chars(std::begin(digits), std::end(digits), number);
        const auto width = static_cast<size_t>(end - digits);
        const size_t pad = width < kNumberCellWidth ? kNumberCellWidth - width : 0;
        remark = remark.substr(0, m_buffer.size() - pad - width - 1);
        char* out = m_buffer.data();
        std::memset(out, ' ', pad);
        out += pad;
        std::memcpy(out, digits, width);
        out += width;
        *out++ = ' ';
        std::memcpy(out, remark.data(), remark.size());
        out += remark.size();
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
