// A 16-bit PNG encoder: stb writes 8-bit PNGs only. Rows are stored
// unfiltered and deflated by stb's own compressor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SquelmHost {

// The file's bytes for `channels` (1 grey, 2 grey and alpha, 3 RGB, 4 RGBA)
// samples of 0..65535 per pixel, top-down, rows packed. Throws
// std::runtime_error for an image that cannot be encoded.
std::string EncodePng16(int width, int height, int channels, const std::vector<uint16_t>& samples);

} // namespace SquelmHost
