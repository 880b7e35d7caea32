#include "warp/ReferenceWarp.h"

#include <cmath>

namespace WarpTest {

namespace {

int64_t Mod(int64_t a, int64_t n)
{
    int64_t m = a % n;
    if (m < 0)
        m += n;
    return m;
}

int64_t Resolve(int mode, int64_t v, int64_t lo, int64_t n)
{
    if (v >= lo && v < lo + n)
        return v;
    if (mode == 1)
        return lo + Mod(v - lo, n);
    if (mode == 2) {
        int64_t m = Mod(v - lo, 2 * n);
        if (m >= n)
            m = 2 * n - m - 1;
        return lo + m;
    }
    return v < lo ? lo : lo + n - 1;
}

int64_t Count(double length, const ReferenceSettings& s)
{
    const double c = std::trunc(length * s.density + s.bias);
    return c < 1.0 ? 1 : int64_t(c);
}

} // namespace

void ReferenceSource::Pixel(int64_t x, int64_t y, int32_t out[3]) const
{
    const int64_t w = scaled.right - scaled.left, h = scaled.bottom - scaled.top;
    const bool inside = x >= scaled.left && x < scaled.right && y >= scaled.top && y < scaled.bottom;
    if (!inside && edgeMode == 3) {
        const int32_t r = edgeColour & 0xFF, g = (edgeColour >> 8) & 0xFF, b = (edgeColour >> 16) & 0xFF;
        out[0] = swapped ? b : r;
        out[1] = g;
        out[2] = swapped ? r : b;
        return;
    }
    x = Resolve(edgeMode, x, scaled.left, w);
    y = Resolve(edgeMode, y, scaled.top, h);
    const uint8_t* p = image->At(int(x * scale), int(y * scale));
    out[0] = swapped ? p[2] : p[0];
    out[1] = p[1];
    out[2] = swapped ? p[0] : p[2];
}

bool ReferenceSource::Selected(int64_t x, int64_t y) const
{
    return mask->At(int(x * scale), int(y * scale)) != 0;
}

void ReferencePixel(const ReferenceSource& source, const ReferenceSettings& settings,
                    const HuxGeometry::HuxPoint2D corners[4], uint8_t out[3])
{
    const HuxGeometry::HuxPoint2D tl = corners[0], tr = corners[1], bl = corners[2], br = corners[3];
    const double lengthTop = std::sqrt((tl.x - tr.x) * (tl.x - tr.x) + (tl.y - tr.y) * (tl.y - tr.y));
    const double lengthLeft = std::sqrt((tl.x - bl.x) * (tl.x - bl.x) + (tl.y - bl.y) * (tl.y - bl.y));
    int64_t countTop = Count(lengthTop, settings), countLeft = Count(lengthLeft, settings);
    while (countTop * countLeft > 120) {
        int64_t& c = countTop > countLeft ? countTop : countLeft;
        c = c > 20 ? c / 2 : c - 1;
    }
    const bool bilinear = settings.mode == 1 || (settings.mode == 0 && (lengthTop < 0.8 || lengthLeft < 0.8));

    int64_t sums[3] = {0, 0, 0};
    int32_t p[3];
    for (double u = 0.5 / double(countTop); u < 1.0; u += 1.0 / double(countTop)) {
        const double topX = (1 - u) * tl.x + u * tr.x, topY = (1 - u) * tl.y + u * tr.y;
        const double botX = (1 - u) * bl.x + u * br.x, botY = (1 - u) * bl.y + u * br.y;
        for (double v = 0.5 / double(countLeft); v < 1.0; v += 1.0 / double(countLeft)) {
            const double x = (1 - v) * topX + v * botX, y = (1 - v) * topY + v * botY;
            if (!bilinear) {
                source.Pixel(int64_t(std::trunc(x + 0.5)), int64_t(std::trunc(y + 0.5)), p);
                for (int c = 0; c < 3; ++c)
                    sums[c] += p[c];
                continue;
            }
            const double fx0 = std::floor(x), fy0 = std::floor(y);
            const int64_t fx = int64_t(std::trunc(255 * (x - fx0))), fy = int64_t(std::trunc(255 * (y - fy0)));
            const int64_t ix = int64_t(fx0), iy = int64_t(fy0);
            const int64_t weight[4] = {(255 - fx) * (255 - fy), fx * (255 - fy), (255 - fx) * fy, fx * fy};
            const int64_t at[4][2] = {{ix, iy}, {ix + 1, iy}, {ix, iy + 1}, {ix + 1, iy + 1}};
            for (int k = 0; k < 4; ++k) {
                source.Pixel(at[k][0], at[k][1], p);
                for (int c = 0; c < 3; ++c)
                    sums[c] += p[c] * weight[k];
            }
        }
    }
    const int64_t divisor = countTop * countLeft * (bilinear ? 65025 : 1);
    for (int c = 0; c < 3; ++c)
        out[c] = uint8_t((divisor + sums[c] - 1) / divisor);
}

std::vector<uint8_t> ReferenceTile(const ReferenceSource& source, const ReferenceSettings& settings,
                                   const HuxRect& tile, const MapFunction& map, int64_t knockout)
{
    const int w = tile.Width(), h = tile.Height();
    std::vector<HuxGeometry::HuxPoint2D> corners(size_t(w + 1) * size_t(h + 1));
    for (int r = 0; r <= h; ++r) {
        for (int k = 0; k <= w; ++k)
            corners[size_t(r) * size_t(w + 1) + size_t(k)] = map({tile.left - 0.5 + k, tile.top - 0.5 + r});
    }
    std::vector<uint8_t> out(size_t(w) * size_t(h) * 3);
    for (int r = 0; r < h; ++r) {
        for (int j = 0; j < w; ++j) {
            uint8_t* o = out.data() + (size_t(r) * size_t(w) + size_t(j)) * 3;
            const int64_t x = tile.left + j, y = tile.top + r;
            if (knockout < 0 || source.Selected(x, y)) {
                const size_t i = size_t(r) * size_t(w + 1) + size_t(j);
                const HuxGeometry::HuxPoint2D quad[4] = {corners[i], corners[i + 1], corners[i + w + 1],
                                                         corners[i + w + 2]};
                ReferencePixel(source, settings, quad, o);
                continue;
            }
            int32_t p[3];
            source.Pixel(x, y, p);
            const uint32_t k = uint32_t(knockout);
            const int32_t colour[3] = {int32_t(source.swapped ? (k >> 16) & 0xFF : k & 0xFF), int32_t((k >> 8) & 0xFF),
                                       int32_t(source.swapped ? k & 0xFF : (k >> 16) & 0xFF)};
            for (int c = 0; c < 3; ++c)
                o[c] = uint8_t(knockout == kMaskedCopy ? p[c] : (colour[c] + p[c]) >> 1);
        }
    }
    return out;
}

} // namespace WarpTest
