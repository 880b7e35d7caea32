#include "testhost/HostImage.h"

namespace SquelmHost {

HostImage::HostImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h) * 3, fill) {}

HostImage::HostImage(int w, int h, ColourSpace s, int d, Transparency t)
    : width(w), height(h), space(s), depth(d), transparency(t), pixels(size_t(w) * size_t(h) * size_t(PixelBytes()))
{
}

int HostImage::ColourPlanes(ColourSpace space)
{
    switch (space) {
    case ColourSpace::Grey: return 1;
    case ColourSpace::CMYK: return 4;
    default: return 3;
    }
}

uint32_t HostImage::Sample(int x, int y, int plane) const
{
    const uint8_t* p = At(x, y) + plane * SampleBytes();
    return depth == 16 ? uint32_t(p[0] | p[1] << 8) : p[0];
}

void HostImage::SetSample(int x, int y, int plane, uint32_t value)
{
    uint8_t* p = At(x, y) + plane * SampleBytes();
    p[0] = uint8_t(value);
    if (depth == 16)
        p[1] = uint8_t(value >> 8);
}

void HostImage::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b)
{
    uint8_t* p = At(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

GreyImage::GreyImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

} // namespace SquelmHost
