#include "testhost/DocumentConversion.h"

#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"

#include <stdexcept>

namespace SquelmHost {

namespace {

// A pixel's colour planes, read and written through the shared formulas.
template <int kIn, int kOut, typename Formula>
void ConvertPixel(const HostImage& in, HostImage& out, int x, int y, Formula formula)
{
    uint32_t from[kIn], to[kOut];
    for (int p = 0; p < kIn; ++p)
        from[p] = in.Sample(x, y, p);
    formula(from, to);
    for (int p = 0; p < kOut; ++p)
        out.SetSample(x, y, p, to[p]);
}

void PixelToCmyk(const HostImage& in, HostImage& out, int x, int y)
{
    ConvertPixel<3, 4>(in, out, x, y, [&](const uint32_t* f, uint32_t* t) { HuxColour::CmykFromRgb(f, in.White(), t); });
}

void PixelFromCmyk(const HostImage& in, HostImage& out, int x, int y)
{
    ConvertPixel<4, 3>(in, out, x, y, [&](const uint32_t* f, uint32_t* t) { HuxColour::RgbFromCmyk(f, in.White(), t); });
}

void PixelToLab(const HostImage& in, HostImage& out, int x, int y)
{
    ConvertPixel<3, 3>(in, out, x, y, [&](const uint32_t* f, uint32_t* t) { HuxColour::LabFromRgb(f, in.White(), t); });
}

void PixelFromLab(const HostImage& in, HostImage& out, int x, int y)
{
    const uint32_t w = in.White();
    ConvertPixel<3, 3>(in, out, x, y, [&](const uint32_t* f, uint32_t* t) { HuxColour::RgbFromLab(f, w, w, t); });
}

// `convert` writes a pixel's colour planes; transparency is copied.
template <typename Convert>
HostImage Converted(const HostImage& in, ColourSpace space, Convert convert)
{
    HostImage out(in.width, in.height, space, in.depth, in.transparency);
    const bool alpha = in.transparency != Transparency::None;
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            convert(in, out, x, y);
            if (alpha)
                out.SetSample(x, y, out.ColourPlanes(), in.Sample(x, y, in.ColourPlanes()));
        }
    }
    return out;
}

} // namespace

HostImage ConvertFromRgb(const HostImage& rgb, ColourSpace space)
{
    if (rgb.space != ColourSpace::RGB)
        throw std::invalid_argument("only an RGB image becomes CMYK or Lab");
    if (space == ColourSpace::CMYK)
        return Converted(rgb, space, PixelToCmyk);
    if (space == ColourSpace::Lab)
        return Converted(rgb, space, PixelToLab);
    return rgb;
}

HostImage ConvertToRgb(const HostImage& image)
{
    if (image.space == ColourSpace::CMYK)
        return Converted(image, ColourSpace::RGB, PixelFromCmyk);
    if (image.space == ColourSpace::Lab)
        return Converted(image, ColourSpace::RGB, PixelFromLab);
    return image;
}

} // namespace SquelmHost
