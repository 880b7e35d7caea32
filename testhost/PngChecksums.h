// The two checksums of a PNG file: CRC-32 over each chunk's type and data,
// Adler-32 over the inflated image data (the zlib stream's trailer).
#pragma once

#include <cstdint>
#include <string_view>

namespace SquelmHost {

uint32_t PngCrc32(std::string_view bytes, uint32_t crc = 0);
uint32_t ZlibAdler32(std::string_view bytes);

} // namespace SquelmHost
