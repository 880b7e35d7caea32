// The corner walk shared by the mapper's render operations. Included at the
// end of HuxPSNonLinearTextureMapper.h; not meant to be included elsewhere.
#pragma once

#include "HuxLib/HUXUTIL/HuxAutoPtr.h"
#include "warp/PixelReader.h"

#include <algorithm>

namespace TileWalkDetail {

// The row of pixel corners (x0 + k, y), k = 0 .. count - 1: where the
// mapping keeps them mapped already, read in place; else mapped into `room`
// left to right, through the mapping's own row operation where it has one,
// which must return what MapPoint would.
template <class Mapping>
const HuxGeometry::HuxPoint2D* CornerRow(Mapping& mapping, double x0, double y, int32_t count,
                                         HuxGeometry::HuxPoint2D* room)
{
    if constexpr (requires { mapping.MappedRow(x0, y); }) {
        return mapping.MappedRow(x0, y);
    } else if constexpr (requires { mapping.MapCorners(x0, y, count, room); }) {
        mapping.MapCorners(x0, y, count, room);
    } else {
        for (int32_t k = 0; k < count; ++k)
            room[k] = mapping.MapPoint(HuxGeometry::HuxPoint2D{x0 + double(k), y});
    }
    return room;
}

// Maps every pixel corner of the tile exactly once, (w + 1)(h + 1) calls,
// row by row from the top and left to right, and hands each pixel's four
// corners to `pixel` together with the pixel's cache position and where its
// samples go.
//
// A whole row of corners is mapped before the row's pixels are sampled: the
// calls keep their order, and the lookups of a row overlap in the processor
// instead of waiting on the sampling in between. (Should a tile load fail
// mid-row, the rest of that row's corners have been mapped already; the
// render ends either way.)
template <class Sample, class Mapping, class PixelRule>
void WalkTile(const DestinationTile& tile, Mapping& mapping, PixelRule&& pixel)
{
    using HuxGeometry::HuxPoint2D;
    // A reversed rectangle is as empty as a zero-sized one.
    const int32_t w = std::max(tile.Width(), 0);
    const int32_t h = std::max(tile.Height(), 0);
    constexpr bool kInPlace = requires { mapping.MappedRow(0.0, 0.0); };
    HuxAutoArrayPtr<HuxPoint2D> corners(kInPlace ? nullptr : new HuxPoint2D[2 * (size_t(w) + 1)]);
    HuxPoint2D* const rooms[2] = {corners.get(), kInPlace ? nullptr : corners.get() + w + 1};

    // Corner positions are small half-integers: every sum here is exact.
    const double left = double(tile.left) - 0.5;
    const HuxPoint2D* above = CornerRow(mapping, left, double(tile.top) - 0.5, w + 1, rooms[0]);
    double y = double(tile.top) + 0.5;
    for (int32_t r = 0; r < h; ++r, y += 1.0) {
        const HuxPoint2D* below = CornerRow(mapping, left, y, w + 1, rooms[(r + 1) % 2]);
        Sample* out = reinterpret_cast<Sample*>(tile.data + ptrdiff_t(r) * tile.rowStride);
        for (int32_t j = 0; j < w; ++j)
            pixel(out, above[j], above[j + 1], below[j], below[j + 1], tile.left + j, tile.top + r);
        above = below;
    }
}

// Renders one pixel through `sampler`; kept transparency is the pixel's own.
template <class Format>
void RenderPixel(const PixelSampler<Format>& sampler, PixelReader<Format>& reader, typename Format::Sample*& out,
                 const HuxGeometry::HuxPoint2D& tl, const HuxGeometry::HuxPoint2D& tr,
                 const HuxGeometry::HuxPoint2D& bl, const HuxGeometry::HuxPoint2D& br, int32_t x, int32_t y)
{
    if constexpr (Format::kAlpha == HuxAlpha::Kept) {
        typename Format::Sample* const pixel = out;
        sampler.Render(reader, out, tl, tr, bl, br);
        pixel[Format::kColours] = reader.PixelAt(x, y)[Format::kColours];
    } else {
        sampler.Render(reader, out, tl, tr, bl, br);
    }
}

// Renders selected pixels through `sampler`; an unselected pixel's own source
// pixel goes to `unselected(out, pixel)`, which writes one pixel and advances.
template <class Format, class Mapping, class Unselected>
void WalkTileMasked(HuxPixelSource& source, const DestinationTile& tile, Mapping& mapping,
                    const PixelSampler<Format>& sampler, Unselected&& unselected)
{
    using HuxGeometry::HuxPoint2D;
    using Sample = typename Format::Sample;
    PixelReader<Format> reader(source);
    WalkTile<Sample>(tile, mapping,
                     [&](Sample*& out, const HuxPoint2D& tl, const HuxPoint2D& tr, const HuxPoint2D& bl,
                         const HuxPoint2D& br, int32_t x, int32_t y) {
                         if (reader.MaskAt(x, y) != 0)
                             RenderPixel(sampler, reader, out, tl, tr, bl, br, x, y);
                         else
                             unselected(out, reader.PixelAt(x, y));
                     });
}

} // namespace TileWalkDetail

template <class Format, class Mapping>
void HuxPSNonLinearTextureMapper::RenderTile(HuxPixelSource& source, const DestinationTile& tile,
                                             Mapping& mapping) const
{
    using HuxGeometry::HuxPoint2D;
    using Sample = typename Format::Sample;
    const PixelSampler<Format> sampler(sampler_);
    PixelReader<Format> reader(source);
    TileWalkDetail::WalkTile<Sample>(tile, mapping,
                                     [&](Sample*& out, const HuxPoint2D& tl, const HuxPoint2D& tr,
                                         const HuxPoint2D& bl, const HuxPoint2D& br, int32_t x, int32_t y) {
                                         TileWalkDetail::RenderPixel(sampler, reader, out, tl, tr, bl, br, x, y);
                                     });
}

template <class Format, class Mapping>
void HuxPSNonLinearTextureMapper::RenderTileMasked(HuxPixelSource& source, const DestinationTile& tile,
                                                   Mapping& mapping) const
{
    using Sample = typename Format::Sample;
    TileWalkDetail::WalkTileMasked(source, tile, mapping, PixelSampler<Format>(sampler_),
                                   [](Sample*& out, const Sample* pixel) {
                                       for (int c = 0; c < Format::kChannels; ++c)
                                           out[c] = pixel[c];
                                       out += Format::kChannels;
                                   });
}

template <class Format, class Mapping>
void HuxPSNonLinearTextureMapper::RenderTileKnockout(HuxPixelSource& source, const DestinationTile& tile,
                                                     Mapping& mapping) const
{
    static_assert(Format::kColours == 3 && sizeof(typename Format::Sample) == 1,
                  "the knockout colour is an 8-bit colour of three channels");
    // The knockout colour in the source's channel order; transparency stays.
    const uint32_t red = knockoutColour_ & 0xFF;
    const uint32_t green = (knockoutColour_ >> 8) & 0xFF;
    const uint32_t blue = (knockoutColour_ >> 16) & 0xFF;
    const bool swapped = source.SwapsRedAndBlue();
    const uint32_t knockout[3] = {swapped ? blue : red, green, swapped ? red : blue};
    TileWalkDetail::WalkTileMasked(source, tile, mapping, PixelSampler<Format>(sampler_),
                                   [&knockout](uint8_t*& out, const uint8_t* pixel) {
                                       for (int c = 0; c < 3; ++c)
                                           out[c] = uint8_t((knockout[c] + pixel[c]) >> 1);
                                       for (int c = 3; c < Format::kChannels; ++c)
                                           out[c] = pixel[c];
                                       out += Format::kChannels;
                                   });
}
