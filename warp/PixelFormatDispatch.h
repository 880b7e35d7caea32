// From a source's layout known at run time to the render instantiated for
// it: every format a document or the screen can have.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelFormat.h"
#include "warp/HuxPSNonLinearTextureMapper.h"

#include <stdexcept>

// Which of the mapper's render operations fills a tile.
enum class TileRenderMode { Plain, Masked, Knockout };

namespace PixelFormatDetail {

template <class Sample, HuxAlpha kAlpha, class Visit>
bool VisitColours(int32_t colours, Visit& visit)
{
    switch (colours) {
    case 1: visit(HuxPixelFormat<Sample, 1, kAlpha>{}); return true;
    case 3: visit(HuxPixelFormat<Sample, 3, kAlpha>{}); return true;
    case 4: visit(HuxPixelFormat<Sample, 4, kAlpha>{}); return true;
    default: return false;
    }
}

template <class Sample, class Visit>
bool VisitAlpha(const HuxPixelLayout& layout, Visit& visit)
{
    switch (layout.alpha) {
    case HuxAlpha::None: return VisitColours<Sample, HuxAlpha::None>(layout.colourChannels, visit);
    case HuxAlpha::Weighted: return VisitColours<Sample, HuxAlpha::Weighted>(layout.colourChannels, visit);
    // Kept transparency is the screen's, of 8-bit colour only.
    case HuxAlpha::Kept:
        if (layout.colourChannels != 3 || sizeof(Sample) != 1)
            return false;
        visit(HuxPixelFormat<Sample, 3, HuxAlpha::Kept>{});
        return true;
    }
    return false;
}

} // namespace PixelFormatDetail

// Calls visit(Format{}) with the format of `layout`; throws for a layout no
// document has.
template <class Visit>
void VisitPixelFormat(const HuxPixelLayout& layout, Visit&& visit)
{
    using namespace PixelFormatDetail;
    const bool known = layout.sampleBytes == 1   ? VisitAlpha<uint8_t>(layout, visit)
                       : layout.sampleBytes == 2 ? VisitAlpha<uint16_t>(layout, visit)
                                                 : false;
    if (!known)
        throw std::invalid_argument("no render for this pixel layout");
}

// Renders a tile in the source's own format. Masked and knockout renders
// (the editor's preview) take the screen's formats only.
template <class Mapping>
void RenderTileInSourceFormat(const HuxPSNonLinearTextureMapper& mapper, TileRenderMode mode, HuxPixelSource& source,
                              const DestinationTile& tile, Mapping& mapping)
{
    VisitPixelFormat(source.Layout(), [&](auto format) {
        using Format = decltype(format);
        constexpr bool kShown = Format::kColours == 3 && sizeof(typename Format::Sample) == 1;
        if (mode == TileRenderMode::Plain) {
            mapper.RenderTile<Format>(source, tile, mapping);
        } else if constexpr (kShown) {
            if (mode == TileRenderMode::Masked)
                mapper.RenderTileMasked<Format>(source, tile, mapping);
            else
                mapper.RenderTileKnockout<Format>(source, tile, mapping);
        } else {
            throw std::invalid_argument("masked renders are for the screen's formats");
        }
    });
}
