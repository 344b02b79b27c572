#include "core/tools/crc32.h"

#include <libdeflate.h>

namespace byzel {

std::uint32_t Crc32(std::uint32_t running, std::size_t length, const std::uint8_t* bytes) {
    // libdeflate picks the fastest routine the processor offers (carry-less multiply).
    return length == 0 ? running : libdeflate_crc32(running, bytes, length);
}

} // namespace byzel
