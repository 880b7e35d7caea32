#include "testhost/DocumentConversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace SquelmHost {

namespace {

using Triple = std::array<double, 3>;

// D65 white and the sRGB primaries' matrix.
constexpr Triple kWhite = {0.95047, 1.0, 1.08883};
constexpr double kToXyz[3][3] = {
    {0.4124564, 0.3575761, 0.1804375}, {0.2126729, 0.7151522, 0.0721750}, {0.0193339, 0.1191920, 0.9503041}};
constexpr double kToRgb[3][3] = {
    {3.2404542, -1.5371385, -0.4985314}, {-0.9692660, 1.8760108, 0.0415560}, {0.0556434, -0.2040259, 1.0572252}};
constexpr double kEpsilon = 216.0 / 24389.0;
constexpr double kKappa = 24389.0 / 27.0;

double Linear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double Encoded(double v) { return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055; }
double LabF(double t) { return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0; }
double LabInverse(double f) { return f * f * f > kEpsilon ? f * f * f : (116.0 * f - 16.0) / kKappa; }

Triple Multiply(const double m[3][3], const Triple& v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// sRGB in 0..1 to L* (0..100), a*, b*.
Triple RgbToLab(const Triple& rgb)
{
    const Triple xyz = Multiply(kToXyz, {Linear(rgb[0]), Linear(rgb[1]), Linear(rgb[2])});
    const double fx = LabF(xyz[0] / kWhite[0]), fy = LabF(xyz[1] / kWhite[1]), fz = LabF(xyz[2] / kWhite[2]);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

Triple LabToRgb(const Triple& lab)
{
    const double fy = (lab[0] + 16.0) / 116.0, fx = fy + lab[1] / 500.0, fz = fy - lab[2] / 200.0;
    const Triple xyz = {LabInverse(fx) * kWhite[0], LabInverse(fy) * kWhite[1], LabInverse(fz) * kWhite[2]};
    const Triple linear = Multiply(kToRgb, xyz);
    return {Encoded(std::clamp(linear[0], 0.0, 1.0)), Encoded(std::clamp(linear[1], 0.0, 1.0)),
            Encoded(std::clamp(linear[2], 0.0, 1.0))};
}

uint32_t Quantised(double v, uint32_t white)
{
    return uint32_t(std::lround(std::clamp(v, 0.0, double(white))));
}

// The a* and b* encoding: 8 bits offset 128 at one level per unit; 16 bits
// offset 16384 at 128 levels per unit.
double ChromaScale(uint32_t white) { return white == 255 ? 1.0 : 128.0; }
double ChromaZero(uint32_t white) { return white == 255 ? 128.0 : 16384.0; }

void PixelToCmyk(const HostImage& in, HostImage& out, int x, int y)
{
    const uint32_t w = in.White(), r = in.Sample(x, y, 0), g = in.Sample(x, y, 1), b = in.Sample(x, y, 2);
    const uint32_t k = std::max({r, g, b});
    const uint32_t planes[4] = {r + w - k, g + w - k, b + w - k, k};
    for (int p = 0; p < 4; ++p)
        out.SetSample(x, y, p, planes[p]);
}

void PixelFromCmyk(const HostImage& in, HostImage& out, int x, int y)
{
    // Plates a filter changed may hold more ink than the pixel's black
    // allows; such a channel is black.
    const uint32_t w = in.White(), k = in.Sample(x, y, 3);
    for (int p = 0; p < 3; ++p)
        out.SetSample(x, y, p, std::max(in.Sample(x, y, p) + k, w) - w);
}

void PixelToLab(const HostImage& in, HostImage& out, int x, int y)
{
    const uint32_t w = in.White();
    const Triple lab = RgbToLab({in.Sample(x, y, 0) / double(w), in.Sample(x, y, 1) / double(w),
                                 in.Sample(x, y, 2) / double(w)});
    out.SetSample(x, y, 0, Quantised(lab[0] * w / 100.0, w));
    out.SetSample(x, y, 1, Quantised(lab[1] * ChromaScale(w) + ChromaZero(w), w));
    out.SetSample(x, y, 2, Quantised(lab[2] * ChromaScale(w) + ChromaZero(w), w));
}

void PixelFromLab(const HostImage& in, HostImage& out, int x, int y)
{
    const uint32_t w = in.White();
    const Triple rgb = LabToRgb({in.Sample(x, y, 0) * 100.0 / w,
                                 (in.Sample(x, y, 1) - ChromaZero(w)) / ChromaScale(w),
                                 (in.Sample(x, y, 2) - ChromaZero(w)) / ChromaScale(w)});
    for (int p = 0; p < 3; ++p)
        out.SetSample(x, y, p, Quantised(rgb[p] * w, w));
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
