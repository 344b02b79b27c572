#include "core/search/consolenavigation.h"

#include "core/ui/progress.h"
#include "core/ui/uiport.h"
#include "core/viewmodel/viewstate.h"
#include "core/workflow/work.h"

#include <algorithm>
#include <optional>

namespace byzel {

Offset topRowShowing(Offset offset, Offset topRow, int visibleRows, Offset totalRows) {
    const std::int64_t pageStart = static_cast<std::int64_t>(topRow) * 16;
    const std::int64_t pageEnd = (static_cast<std::int64_t>(topRow) + visibleRows) * 16;
    if (offset >= pageStart && offset <= pageEnd)
        return topRow;
    return std::clamp<Offset>(offset / 16, 0, std::max<Offset>(totalRows - visibleRows, 0));
}

Offset searchStartFor(const SearchHit& hit, Offset referencePoint, SearchDirection direction) {
    if (!hit.exists())
        return referencePoint;
    return direction == SearchDirection::Down ? hit.start + 1 : hit.start - 1;
}

SearchOutcome SearchPattern(Work& work, ViewState& view, std::span<const std::uint8_t> pattern,
                            SearchDirection direction, const PassRunner& runner, UiPort& ui) {
    const Offset start = searchStartFor(work.searchHit(), view.referencePoint, direction);
    std::optional<Offset> found;
    const bool ran = runner([&](const ProgressFn& progress) {
        found = findPattern(work.dump(), pattern, start, direction, progress);
        return true;
    });
    if (!ran)
        return SearchOutcome::Cancelled;
    if (!found) {
        showMessage(ui, msg::NotFound, {}, BoxStyle::Information);
        return SearchOutcome::NotFound;
    }
    work.searchHit() = {*found, static_cast<int>(pattern.size())};
    view.topRow = topRowShowing(*found, view.topRow, view.visibleRows, work.dump().totalRows());
    return SearchOutcome::Found;
}

bool GotoOffset(Work& work, ViewState& view, std::int64_t distance, UiPort& ui) {
    const std::int64_t target = static_cast<std::int64_t>(view.referencePoint) + distance;
    if (target > work.dump().lastOffset()) {
        work.searchHit() = {};
        showMessage(ui, msg::OffsetPastEnd, {}, BoxStyle::Error);
        return false;
    }
    const auto at = static_cast<Offset>(target);
    work.searchHit() = {at, 1};
    view.topRow = topRowShowing(at, view.topRow, view.visibleRows, work.dump().totalRows());
    return true;
}

} // namespace byzel
