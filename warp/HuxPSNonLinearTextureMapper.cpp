#include "warp/HuxPSNonLinearTextureMapper.h"

void HuxPSNonLinearTextureMapper::RenderTile(HuxPSTileCache& source, const DestinationTile& tile)
{
    VirtualMapping mapping{*this};
    RenderTileThrough(source, tile, mapping);
}

void HuxPSNonLinearTextureMapper::RenderTileMasked(HuxPSTileCache& source, const DestinationTile& tile)
{
    VirtualMapping mapping{*this};
    RenderTileMaskedThrough(source, tile, mapping);
}

void HuxPSNonLinearTextureMapper::RenderTileKnockout(HuxPSTileCache& source, const DestinationTile& tile)
{
    VirtualMapping mapping{*this};
    RenderTileKnockoutThrough(source, tile, mapping);
}

void HuxPSNonLinearTextureMapper::RenderPixel(HuxPSTileCache& source, uint8_t*& out,
                                              const HuxGeometry::HuxPoint2D& topLeft,
                                              const HuxGeometry::HuxPoint2D& topRight,
                                              const HuxGeometry::HuxPoint2D& bottomLeft,
                                              const HuxGeometry::HuxPoint2D& bottomRight) const
{
    PixelSampler(sampler_).Render(source, out, topLeft, topRight, bottomLeft, bottomRight);
}
