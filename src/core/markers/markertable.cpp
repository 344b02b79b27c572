#include "core/markers/markertable.h"

#include "core/text/messages.h"

#include <algorithm>
#include <cstring>

namespace byzel {

MarkerTable::MarkerTable() {
    m_records.reserve(kCapacity);
}

int MarkerTable::findAt(Offset offset, Offset lastOffset) const {
    if (offset > lastOffset)
        return -1;
    for (int i = 0; i < count(); ++i) {
        const auto& r = m_records[static_cast<size_t>(i)];
        if (r.start <= offset && offset <= r.end)
            return i;
    }
    return -1;
}

bool MarkerTable::overlapsOthers(int index) const {
    const auto& m = m_records[static_cast<size_t>(index)];
    for (int i = 0; i < count(); ++i) {
        if (i == index)
            continue;
        const auto& r = m_records[static_cast<size_t>(i)];
        if (m.start <= r.end && r.start <= m.end)
            return true;
    }
    return false;
}

int MarkerTable::firstEndingAtOrAfter(Offset offset) const {
    // Sorted markers that share no byte have ascending ends as well as starts.
    auto it = std::lower_bound(m_records.begin(), m_records.end(), offset,
                               [](const MarkerRecord& r, Offset o) { return r.end < o; });
    return static_cast<int>(it - m_records.begin());
}

int MarkerTable::append(Offset start, Offset end, ColorRef color) {
    MarkerRecord r;
    r.start = start;
    r.end = end;
    r.color = color;
    m_records.push_back(r);
    return count() - 1;
}

void MarkerTable::setRange(int index, Offset start, Offset end) {
    auto& r = m_records[static_cast<size_t>(index)];
    r.start = start;
    r.end = end;
}

void MarkerTable::normalize(int index) {
    auto& r = m_records[static_cast<size_t>(index)];
    if (r.end < r.start)
        std::swap(r.start, r.end);
}

void MarkerTable::placeLast() {
    if (m_records.size() < 2)
        return;
    auto last = m_records.end() - 1;
    auto place = std::upper_bound(
        m_records.begin(), last, *last,
        [](const MarkerRecord& a, const MarkerRecord& b) { return a.start < b.start; });
    std::rotate(place, last, m_records.end());
}

void MarkerTable::removeAt(int index) {
    m_records.erase(m_records.begin() + index);
}

void MarkerTable::removeWhere(std::span<const int> indexes) {
    std::vector<bool> marked(m_records.size(), false);
    for (int i : indexes)
        if (i >= 0 && i < count())
            marked[static_cast<size_t>(i)] = true;
    size_t kept = 0;
    for (size_t i = 0; i < m_records.size(); ++i)
        if (!marked[i])
            m_records[kept++] = m_records[i];
    m_records.resize(kept);
}

bool MarkerTable::SortMarkPosition(int n) {
    n = std::clamp(n, 0, count());
    std::stable_sort(
        m_records.begin(), m_records.begin() + n,
        [](const MarkerRecord& a, const MarkerRecord& b) { return a.start < b.start; });
    return true;
}

bool MarkerTable::isSorted() const {
    // Ascending starts. (Comparing each start with the next marker's end, as the old program
    // did, let a table like [10-20, 5-30] pass as sorted.)
    return std::is_sorted(
        m_records.begin(), m_records.end(),
        [](const MarkerRecord& a, const MarkerRecord& b) { return a.start < b.start; });
}

bool MarkerTable::setRemark(int index, std::string_view sjisText) {
    if (sjisText.size() > static_cast<size_t>(kMaxRemarkBytes))
        return false;
    auto& remark = m_records[static_cast<size_t>(index)].remark;
    remark.fill(0);
    std::memcpy(remark.data(), sjisText.data(), sjisText.size());
    return true;
}

void MarkerTable::setColor(int index, ColorRef color) {
    m_records[static_cast<size_t>(index)].color = color;
}

void MarkerTable::recolorAll(ColorRef from, ColorRef to) {
    for (auto& r : m_records)
        if (r.color == from)
            r.color = to;
}

int MarkerTable::shiftRange(int first, int last, Offset distance, bool backward,
                            Offset lastOffset) {
    if (first < 0 || last >= count() || first > last || distance <= 0)
        return -1;
    const auto& head = m_records[static_cast<size_t>(first)];
    const auto& tail = m_records[static_cast<size_t>(last)];
    const std::int64_t d = distance;
    if (backward) {
        if (first > 0) {
            const auto& previous = m_records[static_cast<size_t>(first - 1)];
            if (d >= static_cast<std::int64_t>(head.start) - previous.end)
                return msg::MoveOntoPrevious;
        } else if (head.start < d) {
            return msg::MoveBeforeFileStart;
        }
    } else {
        if (last == count() - 1) {
            if (static_cast<std::int64_t>(lastOffset) - tail.end < d)
                return msg::MovePastFileEnd;
        } else {
            const auto& next = m_records[static_cast<size_t>(last + 1)];
            if (d >= static_cast<std::int64_t>(next.start) - tail.end)
                return msg::MoveOntoNext;
        }
    }
    // The checks above hold for a sorted table of ranges within the file. A table read from a
    // foreign file may hold other ranges: none of them is carried round past an end of the
    // offsets.
    const std::int64_t step = backward ? -d : d;
    for (int i = first; i <= last; ++i) {
        const auto& r = m_records[static_cast<size_t>(i)];
        for (const std::int64_t moved : {r.start + step, r.end + step})
            if (moved != static_cast<Offset>(moved))
                return backward ? msg::MoveBeforeFileStart : msg::MovePastFileEnd;
    }
    for (int i = first; i <= last; ++i) {
        auto& r = m_records[static_cast<size_t>(i)];
        r.start = static_cast<Offset>(r.start + step);
        r.end = static_cast<Offset>(r.end + step);
    }
    return 0;
}

void MarkerTable::assign(std::vector<MarkerRecord> records) {
    if (records.size() > static_cast<size_t>(kCapacity))
        records.resize(kCapacity);
    m_records = std::move(records);
    m_records.reserve(kCapacity);
}

} // namespace byzel
