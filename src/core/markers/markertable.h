#pragma once

#include "core/markers/markerrecord.h"

#include <span>
#include <string_view>
#include <vector>

namespace byzel {

// The markers laid over the dump file: at most 5000, sorted by start whenever no gesture is in
// progress, no two sharing a byte. Marker number = index + 1. The table knows nothing of
// windows: operations that refuse something return the id of the message the caller shows.
class MarkerTable {
public:
    static constexpr int kCapacity = 5000;

    MarkerTable();

    [[nodiscard]] int count() const { return static_cast<int>(m_records.size()); }
    [[nodiscard]] bool empty() const { return m_records.empty(); }
    [[nodiscard]] bool full() const { return count() >= kCapacity; }
    [[nodiscard]] const MarkerRecord& operator[](int index) const {
        return m_records[static_cast<size_t>(index)];
    }
    [[nodiscard]] std::span<const MarkerRecord> records() const { return m_records; }

    // Index of the first marker holding offset, or -1; offsets past lastOffset hit nothing.
    [[nodiscard]] int findAt(Offset offset, Offset lastOffset) const;
    // Whether the record at index shares a byte with any other record.
    [[nodiscard]] bool overlapsOthers(int index) const;
    // Index of the first marker ending at or after offset, count() if none. Needs sorted order;
    // it is what lets painting start at the rows on the page.
    [[nodiscard]] int firstEndingAtOrAfter(Offset offset) const;

    // Appends a marker with an empty remark; the caller makes sure the table is not full.
    int append(Offset start, Offset end, ColorRef color);
    void setRange(int index, Offset start, Offset end);
    // Swaps start and end when end < start.
    void normalize(int index);
    // Moves the last record to its sorted place, after existing markers of equal start.
    void placeLast();
    void removeAt(int index);
    // Removes every record whose index is listed, keeping the order of the rest.
    void removeWhere(std::span<const int> indexes);
    void clear() { m_records.clear(); }
    // Stable sort of records 0 to count-1 by start.
    bool SortMarkPosition(int count);
    [[nodiscard]] bool isSorted() const;

    // Refuses (false) text of more than 239 bytes; the caller shows 30046.
    [[nodiscard]] bool setRemark(int index, std::string_view sjisText);
    void setColor(int index, ColorRef color);
    void recolorAll(ColorRef from, ColorRef to);

    // Moves records first..last together by distance bytes (backward towards the file start).
    // Returns 0 when moved, else the message that refuses it (30015 to 30018; -1 for arguments
    // that name no run of markers). Nothing changes when refused.
    [[nodiscard]] int shiftRange(int first, int last, Offset distance, bool backward,
                                 Offset lastOffset);

    // Takes over records as read from a marker file (at most kCapacity).
    void assign(std::vector<MarkerRecord> records);

private:
    std::vector<MarkerRecord> m_records;
};

} // namespace byzel
