#include "core/text/versionhistory.h"

#include "core/text/messages.h"

namespace byzel {

std::string versionHistoryText() {
    std::string text;
    for (int id = msg::HistoryNewest; id >= msg::HistoryOldest; --id) {
        text += stringText(id);
        text += "\r\n";
    }
    return text;
}

} // namespace byzel
