// Warps an image through an arbitrary non-linear mapping: every corner of
// every destination pixel is mapped back into the source (by a mapping known
// at compile time: any object with HuxPoint2D MapPoint(HuxPoint2D), and
// optionally a row operation, see TileWalk.h), and the source is averaged
// over the quadrilateral that a pixel's four mapped corners span, with an
// adaptive number of samples.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelSource.h"
#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "warp/DestinationTile.h"
#include "warp/PixelSampler.h"

#include <cstdint>

class HuxPSNonLinearTextureMapper {
public:
    void SetInterpolationMode(PSPlimInterpolation mode) { sampler_.interpolationMode = mode; }
    void SetSampleCountBias(double bias) { sampler_.sampleCountBias = bias; }
    void SetSampleDensity(double density) { sampler_.sampleDensity = density; }
    // 0x00BBGGRR, mixed into unselected pixels by RenderTileKnockout.
    void SetKnockoutColour(uint32_t colour) { knockoutColour_ = colour; }
    PSPlimInterpolation InterpolationMode() const { return sampler_.interpolationMode; }
    double SampleCountBias() const { return sampler_.sampleCountBias; }
    double SampleDensity() const { return sampler_.sampleDensity; }
    uint32_t KnockoutColour() const { return knockoutColour_; }

    // Each render reads and writes pixels of `Format`, the source's layout.
    // Fills every pixel of the tile with the warped source.
    template <class Format = HuxRgb8, class Mapping>
    void RenderTile(HuxPixelSource& source, const DestinationTile& tile, Mapping& mapping) const;
    // Warps selected pixels; unselected ones get the unwarped source pixel.
    template <class Format = HuxRgb8, class Mapping>
    void RenderTileMasked(HuxPixelSource& source, const DestinationTile& tile, Mapping& mapping) const;
    // Warps selected pixels; unselected ones get the unwarped source pixel
    // averaged with the knockout colour (8-bit colour of three channels).
    template <class Format = HuxRgb8, class Mapping>
    void RenderTileKnockout(HuxPixelSource& source, const DestinationTile& tile, Mapping& mapping) const;

private:
    SamplerSettings sampler_;
    uint32_t knockoutColour_ = 0xFFFFFF;
};

#include "warp/TileWalk.h"
