#pragma once

#include "core/search/patternsearch.h"
#include "core/types.h"

#include <cstdint>
#include <span>

namespace byzel {

class UiPort;
class Work;
struct SearchHit;
struct ViewState;

// The top row after a jump to offset: unchanged while the offset lies on the page, otherwise
// the offset's row, kept within the last page.
[[nodiscard]] Offset topRowShowing(Offset offset, Offset topRow, int visibleRows, Offset totalRows);
// Where a search begins: next to the current hit, or at the reference point without one.
[[nodiscard]] Offset searchStartFor(const SearchHit& hit, Offset referencePoint,
                                    SearchDirection direction);

enum class SearchOutcome { Found, NotFound, Cancelled };

// Searches the dump data for the pattern from the search start. A find becomes the search hit
// and is scrolled into view; nothing found shows 30024 and keeps the previous hit; a cancelled
// search changes nothing.
SearchOutcome SearchPattern(Work& work, ViewState& view, std::span<const std::uint8_t> pattern,
                            SearchDirection direction, const PassRunner& runner, UiPort& ui);

// Makes the byte distance bytes after the reference point the search hit (one byte long) and
// scrolls to it. Beyond the end of the file: 30032 and no search hit.
bool GotoOffset(Work& work, ViewState& view, std::int64_t distance, UiPort& ui);

} // namespace byzel
