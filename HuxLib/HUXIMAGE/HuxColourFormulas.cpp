#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace HuxColour {

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

uint32_t Quantised(double v, uint32_t white)
{
    return uint32_t(std::lround(std::clamp(v, 0.0, double(white))));
}

// The a* and b* encoding: 8 bits offset 128 at one level per unit; 16 bits
// offset 16384 at 128 levels per unit.
double ChromaScale(uint32_t white) { return white == 255 ? 1.0 : 128.0; }
double ChromaZero(uint32_t white) { return white == 255 ? 128.0 : 16384.0; }

} // namespace

uint32_t Rescaled(uint32_t value, uint32_t from, uint32_t to)
{
    if (from == to)
        return value;
    return uint32_t(std::min<uint64_t>((uint64_t(value) * to + from / 2) / from, to));
}

uint32_t GreyFromRgb(const uint32_t rgb[3]) { return (299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000; }

void CmykFromRgb(const uint32_t rgb[3], uint32_t white, uint32_t cmyk[4])
{
    const uint32_t k = std::max({rgb[0], rgb[1], rgb[2]});
    for (int p = 0; p < 3; ++p)
        cmyk[p] = rgb[p] + white - k;
    cmyk[3] = k;
}

void RgbFromCmyk(const uint32_t cmyk[4], uint32_t white, uint32_t rgb[3])
{
    for (int p = 0; p < 3; ++p)
        rgb[p] = std::max(cmyk[p] + cmyk[3], white) - white;
}

void LabFromRgb(const uint32_t rgb[3], uint32_t white, uint32_t lab[3])
{
    const Triple xyz = Multiply(kToXyz, {Linear(rgb[0] / double(white)), Linear(rgb[1] / double(white)),
                                         Linear(rgb[2] / double(white))});
    const double fx = LabF(xyz[0] / kWhite[0]), fy = LabF(xyz[1] / kWhite[1]), fz = LabF(xyz[2] / kWhite[2]);
    lab[0] = Quantised((116.0 * fy - 16.0) * white / 100.0, white);
    lab[1] = Quantised(500.0 * (fx - fy) * ChromaScale(white) + ChromaZero(white), white);
    lab[2] = Quantised(200.0 * (fy - fz) * ChromaScale(white) + ChromaZero(white), white);
}

void RgbFromLab(const uint32_t lab[3], uint32_t labWhite, uint32_t rgbWhite, uint32_t rgb[3])
{
    const double l = lab[0] * 100.0 / labWhite;
    const double a = (lab[1] - ChromaZero(labWhite)) / ChromaScale(labWhite);
    const double b = (lab[2] - ChromaZero(labWhite)) / ChromaScale(labWhite);
    const double fy = (l + 16.0) / 116.0, fx = fy + a / 500.0, fz = fy - b / 200.0;
    const Triple xyz = {LabInverse(fx) * kWhite[0], LabInverse(fy) * kWhite[1], LabInverse(fz) * kWhite[2]};
    const Triple linear = Multiply(kToRgb, xyz);
    for (int p = 0; p < 3; ++p)
        rgb[p] = Quantised(Encoded(std::clamp(linear[p], 0.0, 1.0)) * rgbWhite, rgbWhite);
}

} // namespace HuxColour
