// The checksums of a PNG file: CRC-32 over each chunk's type and data
// (HuxCrc32), and Adler-32 over the inflated image data (the zlib stream's
// trailer).
#pragma once

#include <cstdint>
#include <string_view>

#include "HuxLib/HUXUTIL/HuxCrc32.h"

namespace SquelmHost {

uint32_t ZlibAdler32(std::string_view bytes);

} // namespace SquelmHost
