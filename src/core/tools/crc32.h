#pragma once

#include <cstddef>
#include <cstdint>

namespace byzel {

// The CRC-32 of zlib and PNG (reflected polynomial 0xEDB88320). running is the CRC of the bytes
// before these, 0 at the start, so a result fed back in continues the checksum over further
// bytes.
[[nodiscard]] std::uint32_t Crc32(std::uint32_t running, std::size_t length,
                                  const std::uint8_t* bytes);

} // namespace byzel
