#include "testhost/HostImage.h"

namespace SquelmHost {

RgbImage::RgbImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h) * 3, fill) {}

void RgbImage::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b)
{
    uint8_t* p = At(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

GreyImage::GreyImage(int w, int h, uint8_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

} // namespace SquelmHost
