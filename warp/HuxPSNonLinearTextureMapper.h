// Warps an image through an arbitrary non-linear mapping: every corner of
// every destination pixel is mapped back into the source (MapPoint, supplied
// by the owner), and the source is averaged over the quadrilateral that a
// pixel's four mapped corners span, with an adaptive number of samples.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "warp/DestinationTile.h"
#include "warp/PixelSampler.h"

#include <cstdint>

class HuxPSTileCache;

class HuxPSNonLinearTextureMapper {
public:
    HuxPSNonLinearTextureMapper() = default;
    virtual ~HuxPSNonLinearTextureMapper() = default;
    HuxPSNonLinearTextureMapper(const HuxPSNonLinearTextureMapper&) = delete;
    HuxPSNonLinearTextureMapper& operator=(const HuxPSNonLinearTextureMapper&) = delete;

    // The source position whose colour belongs at a destination position,
    // both in cache coordinates. Called for every pixel corner, row by row.
    virtual HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination) = 0;

    void SetInterpolationMode(PSPlimInterpolation mode) { sampler_.interpolationMode = mode; }
    void SetSampleCountBias(double bias) { sampler_.sampleCountBias = bias; }
    void SetSampleDensity(double density) { sampler_.sampleDensity = density; }
    // 0x00BBGGRR, mixed into unselected pixels by RenderTileKnockout.
    void SetKnockoutColour(uint32_t colour) { knockoutColour_ = colour; }
    PSPlimInterpolation InterpolationMode() const { return sampler_.interpolationMode; }
    double SampleCountBias() const { return sampler_.sampleCountBias; }
    double SampleDensity() const { return sampler_.sampleDensity; }
    uint32_t KnockoutColour() const { return knockoutColour_; }

    // Fills every pixel of the tile with the warped image.
    void RenderTile(HuxPSTileCache& source, const DestinationTile& tile);
    // Warps selected pixels; unselected ones get the unwarped source pixel.
    void RenderTileMasked(HuxPSTileCache& source, const DestinationTile& tile);
    // Warps selected pixels; unselected ones get the unwarped source pixel
    // averaged with the knockout colour.
    void RenderTileKnockout(HuxPSTileCache& source, const DestinationTile& tile);

    // The same renders with a mapping known at compile time (any object with
    // HuxPoint2D MapPoint(HuxPoint2D)), producing the same bytes as the
    // virtual path when the mapping computes what MapPoint computes.
    template <class Mapping>
    void RenderTileThrough(HuxPSTileCache& source, const DestinationTile& tile, Mapping& mapping) const;
    template <class Mapping>
    void RenderTileMaskedThrough(HuxPSTileCache& source, const DestinationTile& tile, Mapping& mapping) const;
    template <class Mapping>
    void RenderTileKnockoutThrough(HuxPSTileCache& source, const DestinationTile& tile, Mapping& mapping) const;

    // One output pixel from the mapped corners of its square (top-left,
    // top-right, bottom-left, bottom-right): 3 bytes written, out advanced.
    void RenderPixel(HuxPSTileCache& source, uint8_t*& out, const HuxGeometry::HuxPoint2D& topLeft,
                     const HuxGeometry::HuxPoint2D& topRight, const HuxGeometry::HuxPoint2D& bottomLeft,
                     const HuxGeometry::HuxPoint2D& bottomRight) const;

private:
    // Adapts the virtual MapPoint to the template walk.
    struct VirtualMapping {
        HuxPSNonLinearTextureMapper& mapper;
        HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D p) { return mapper.MapPoint(p); }
    };

    SamplerSettings sampler_;
    uint32_t knockoutColour_ = 0xFFFFFF;
};

#include "warp/TileWalk.h"
