// PNG reading and writing for the test host's documents.
#pragma once

#include <string>

#include "testhost/HostImage.h"

namespace SquelmHost {

// Reads any PNG stb can decode. Grey inputs are spread to three equal
// channels; an alpha channel is dropped (colour kept, not composited).
// Throws std::runtime_error naming the file on failure.
RgbImage LoadRgbPng(const std::string& path);

// Reads a PNG as a selection mask. Colour inputs are reduced to their luma
// (stb's conversion); an alpha channel is dropped.
GreyImage LoadGreyPng(const std::string& path);

void SaveRgbPng(const std::string& path, const RgbImage& image);
void SaveGreyPng(const std::string& path, const GreyImage& image);

} // namespace SquelmHost
