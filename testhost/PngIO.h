// PNG reading and writing for the test host's documents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "testhost/HostImage.h"

namespace SquelmHost {

// Inputs past these limits are refused with a clear error: a PNG file of
// more than 256 MiB, an image wider or taller than 30000 pixels (the largest
// document of the host interface) or of more than 100 million pixels.
inline constexpr size_t kPngFileLimit = size_t(256) << 20;
inline constexpr int kPngSideLimit = 30000;
inline constexpr int64_t kPngPixelLimit = 100'000'000;

// How a PNG becomes a document.
struct PngDocument {
    // What a PNG's alpha channel becomes: the layer's transparency,
    // editable or protected.
    Transparency alpha = Transparency::Editable;
    // A colour PNG as CMYK or Lab planes (DocumentConversion.h).
    std::optional<ColourSpace> colour;
};

// Every read checks each chunk's CRC and the image data's Adler-32 first,
// and throws std::runtime_error naming the file and the fault.

// A PNG of 8 or 16 bits, grey or colour, with or without alpha, as the
// document a host makes of it: grey or RGB (or as `how` converts it), the
// file's depth (16-bit samples mapped to 0..32768), alpha as a layer's
// transparency.
HostImage LoadPng(const std::string& path, const PngDocument& how = {});

// Any PNG as 8-bit RGB: grey spread to three equal channels, an alpha
// channel dropped (colour kept, not composited), 16 bits cut to 8.
RgbImage LoadRgbPng(const std::string& path);

// Reads a PNG as a selection mask. Colour inputs are reduced to their luma
// (stb's conversion); an alpha channel is dropped.
GreyImage LoadGreyPng(const std::string& path);

// Writes the document as the PNG it came from: grey or RGB (CMYK and Lab
// converted back), its transparency as alpha, at its depth (16-bit samples
// mapped back to 0..65535). Through a temporary file renamed into place
// (HuxWriteFile): a failed write throws and leaves an existing file as it
// was.
void SavePng(const std::string& path, const HostImage& image);
void SaveGreyPng(const std::string& path, const GreyImage& image);

} // namespace SquelmHost
