#pragma once

#include <string>
#include <string_view>

namespace byzel {

// Remarks are Shift-JIS bytes with CR LF line breaks, as marker files written on Windows hold
// them; widgets and the clipboard speak UTF-8 with "\n".

// The remark for text typed or pasted by the user. A character that Shift-JIS cannot hold
// becomes "?", so the rest of the text is still kept; "\n" and "\r\n" become CR LF.
[[nodiscard]] std::string remarkFromUtf8(std::string_view utf8);
// The remark as widgets show it, line breaks as "\n".
[[nodiscard]] std::string remarkToUtf8(std::string_view sjis);
// A text for a remark cut at a character boundary to what a remark holds (239 bytes).
[[nodiscard]] std::string_view fittingRemark(std::string_view sjis);

} // namespace byzel
