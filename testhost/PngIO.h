// PNG reading and writing for the test host's documents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "testhost/HostImage.h"

namespace SquelmHost {

// Inputs past these limits are refused with a clear error: a PNG file of
// more than 256 MiB, an image wider or taller than 30000 pixels (the largest
// document of the host interface) or of more than 100 million pixels.
inline constexpr size_t kPngFileLimit = size_t(256) << 20;
inline constexpr int kPngSideLimit = 30000;
inline constexpr int64_t kPngPixelLimit = 100'000'000;

// Reads any PNG stb can decode. Grey inputs are spread to three equal
// channels; an alpha channel is dropped (colour kept, not composited).
// Throws std::runtime_error naming the file on failure.
RgbImage LoadRgbPng(const std::string& path);

// Reads a PNG as a selection mask. Colour inputs are reduced to their luma
// (stb's conversion); an alpha channel is dropped.
GreyImage LoadGreyPng(const std::string& path);

// Writes through a temporary file renamed into place (HuxWriteFile): a
// failed write throws and leaves an existing file as it was.
void SaveRgbPng(const std::string& path, const RgbImage& image);
void SaveGreyPng(const std::string& path, const GreyImage& image);

} // namespace SquelmHost
