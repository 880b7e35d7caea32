#include "host/HuxPSDisplayPixels.h"

#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"
#include "host/HuxPSPixels.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

uint32_t SampleAt(const uint8_t* pixel, int plane, int32_t sampleBytes)
{
    if (sampleBytes == 1)
        return pixel[plane];
    uint16_t value;
    std::memcpy(&value, pixel + 2 * plane, 2); // hosts hand over little-endian samples, as this machine keeps them
    return value;
}

} // namespace

void HuxPSShownColour(const HuxPSDocument& document, const uint32_t* samples, uint32_t rgb[3])
{
    const uint32_t white = HuxColour::WhiteOf(document.kind.depth);
    uint32_t converted[3];
    switch (document.kind.model) {
    case HuxPSColourModel::Grey: converted[0] = converted[1] = converted[2] = samples[0]; break;
    case HuxPSColourModel::CMYK: HuxColour::RgbFromCmyk(samples, white, converted); break;
    case HuxPSColourModel::Lab: HuxColour::RgbFromLab(samples, white, 255, rgb); return;
    default:
        for (int p = 0; p < 3; ++p)
            converted[p] = samples[p];
        break;
    }
    for (int p = 0; p < 3; ++p)
        rgb[p] = HuxColour::Rescaled(converted[p], white, 255);
}

HuxPixelLayout HuxPSDisplayLayout(const HuxPSDocument& document)
{
    switch (document.kind.transparency) {
    case HuxPSTransparency::Editable: return {3, HuxAlpha::Weighted, 1};
    case HuxPSTransparency::Protected: return {3, HuxAlpha::Kept, 1};
    default: return {3, HuxAlpha::None, 1};
    }
}

void HuxPSDisplayRow(const HuxPSDocument& document, const uint8_t* from, uint8_t* to, int32_t count)
{
    if (document.kind == kHuxPSFlatRgb8.kind) {
        HuxPSCopyPixels(from, to, count, true);
        return;
    }
    const int32_t sampleBytes = document.kind.depth / 8;
    const int planes = HuxPSShownPlanes(document);
    const bool layer = planes > document.colourPlanes;
    const uint32_t white = HuxColour::WhiteOf(document.kind.depth);
    for (int32_t x = 0; x < count; ++x, from += planes * sampleBytes) {
        uint32_t samples[5];
        for (int p = 0; p < planes; ++p)
            samples[p] = SampleAt(from, p, sampleBytes);
        uint32_t rgb[3];
        HuxPSShownColour(document, samples, rgb);
        *to++ = uint8_t(rgb[2]);
        *to++ = uint8_t(rgb[1]);
        *to++ = uint8_t(rgb[0]);
        if (layer)
            *to++ = uint8_t(HuxColour::Rescaled(samples[document.colourPlanes], white, 255));
    }
}

void HuxPSOverCheckerboard(const uint8_t* from, uint8_t* to, int32_t count, int32_t x, int32_t y)
{
    const bool darkRow = (y / kHuxPSCheckerSquare) % 2 != 0;
    for (int32_t k = 0; k < count; ++k, from += 4, to += 3) {
        const bool dark = darkRow != (((x + k) / kHuxPSCheckerSquare) % 2 != 0);
        const uint32_t back = dark ? kHuxPSCheckerDark : kHuxPSCheckerLight;
        const uint32_t alpha = from[3];
        for (int c = 0; c < 3; ++c)
            to[c] = uint8_t((from[c] * alpha + back * (255 - alpha) + 127) / 255);
    }
}

void HuxPSShowRow(const HuxPSDocument& document, const uint8_t* from, uint8_t* to, int32_t count, int32_t x,
                  int32_t y)
{
    if (HuxPSShownPlanes(document) == document.colourPlanes) {
        HuxPSDisplayRow(document, from, to, count);
        return;
    }
    // In pieces through a buffer of blue-green-red-transparency pixels.
    constexpr int32_t kPiece = 256;
    uint8_t layer[kPiece * 4];
    const int32_t hostPixelBytes = HuxPSShownPixelBytes(document);
    for (int32_t done = 0; done < count; done += kPiece) {
        const int32_t n = std::min(kPiece, count - done);
        HuxPSDisplayRow(document, from + ptrdiff_t(done) * hostPixelBytes, layer, n);
        HuxPSOverCheckerboard(layer, to + ptrdiff_t(done) * 3, n, x + done, y);
    }
}
