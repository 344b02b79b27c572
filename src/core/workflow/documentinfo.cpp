#include "core/workflow/documentinfo.h"

#include "core/text/thousands.h"

namespace byzel {

std::string dumpSizeText(std::int64_t size) {
    return groupThousands(std::to_string(size)) + " bytes";
}

} // namespace byzel
