// Rendering through the grid: the mapper's settings, the choice of tile
// cache, the output preview while the editor is open, and the final render
// into the host's output.
#include "effect/CPSPlimPluginApp.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSRequest.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int32_t kFinalTileBytes = CPSPlimPluginApp::kTileSize * CPSPlimPluginApp::kTileSize * 3;

// The record's exposed-area mode is the cache's edge mode, number for number.
static_assert(HuxPSTileCache::kRepeatEdge == PSPlimStored(PSPlimExposedArea::RepeatEdge));
static_assert(HuxPSTileCache::kWrap == PSPlimStored(PSPlimExposedArea::Wrap));
static_assert(HuxPSTileCache::kMirror == PSPlimStored(PSPlimExposedArea::Mirror));
static_assert(HuxPSTileCache::kFixedColour == PSPlimStored(PSPlimExposedArea::FixedColour));

HuxRect Grow(const HuxRect& r, int32_t by)
{
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

} // namespace

void CPSPlimPluginApp::ApplyMapperSettings()
{
    SetInterpolationMode(m_params->useInterpolation ? PSPlimInterpolation::Adaptive : PSPlimInterpolation::Nearest);
    SetSampleCountBias(m_params->sampleCountBias);
    SetSampleDensity(m_params->sampleDensity);
    SetKnockoutColour(m_params->knockoutColour);
}

HuxPSTileCache& CPSPlimPluginApp::SelectTileCache(int32_t scale, int32_t channelOrder)
{
    const bool hasMask = HostRecord()->haveMask != 0;
    const int32_t edgeMode = PSPlimStored(PSPlimForcedChoice<PSPlimExposedArea>(m_params->exposedAreaMode));
    const HuxPSTileCache* c = m_tileCache.get();
    // The mask flag is compared too: a cache built without the host's mask
    // cannot serve the masked preview variants.
    const bool keep = c && c->Scale() == scale && c->TileWidth() == kTileSize && c->TileHeight() == kTileSize &&
                      c->ChannelOrderValue() == channelOrder && c->Budget() == kCacheBudget &&
                      c->HasMask() == hasMask && c->EdgeModeValue() == edgeMode &&
                      (edgeMode != HuxPSTileCache::kFixedColour ||
                       c->EdgeColour() == m_params->exposedAreaColour);
    if (keep)
        return *m_tileCache;
    m_tileCache.reset();
    auto cache = std::make_unique<HuxPSTileCache>(this, scale);
    cache->Configure(kTileSize, kTileSize, channelOrder, hasMask, kCacheBudget);
    cache->SetEdge(edgeMode, m_params->exposedAreaColour);
    m_tileCache = std::move(cache);
    return *m_tileCache;
}

// ---- Output preview ---------------------------------------------------------

void CPSPlimPluginApp::UpdateSourcePreview(const HuxRect&) {}

void CPSPlimPluginApp::BuildSourcePreview() {}

void CPSPlimPluginApp::UpdateOutputPreview(const HuxRect& rect)
{
    // Nothing to read from outside a host call, nor without a view.
    const HuxRect scaledView = ScaledViewRect();
    if (!HostRecord() || scaledView.IsEmpty())
        return;
    HuxImage2* preview = GetOutputPreview();
    if (!preview || preview->Width() != scaledView.Width() || preview->AbsHeight() != scaledView.Height()) {
        // A new image is rendered whole, whatever part was asked for.
        HuxImage2& fresh = ReplaceOutputPreview(scaledView.Width(), scaledView.Height());
        RenderPreviewArea(fresh, scaledView, scaledView);
        return;
    }
    const HuxRect target = HuxRectIntersect(Grow(HuxRectDivide(rect, PreviewScale()), 1), scaledView);
    if (!target.IsEmpty())
        RenderPreviewArea(*preview, scaledView, target);
}

void CPSPlimPluginApp::BuildOutputPreview() { UpdateOutputPreview(GetViewRect()); }

void CPSPlimPluginApp::RenderPreviewArea(HuxImage2& preview, const HuxRect& scaledView, const HuxRect& target)
{
    const int32_t scale = PreviewScale();
    HuxPSTileCache& cache = SelectTileCache(scale, HuxPSTileCache::kSwappedOrder);
    m_mapping.SetRectangle(HuxRectDivide(FilterRect(), scale));
    ApplyMapperSettings();

    DestinationTile tile;
    tile.data = preview.PixelAddress(target.left - scaledView.left, target.top - scaledView.top);
    tile.left = target.left;
    tile.top = target.top;
    tile.right = target.right;
    tile.bottom = target.bottom;
    tile.rowStride = preview.RowStride();
    if (!HostRecord()->haveMask)
        RenderTile(cache, tile, m_mapping);
    else if (m_params->knockout)
        RenderTileKnockout(cache, tile, m_mapping);
    else
        RenderTileMasked(cache, tile, m_mapping);
}

// ---- Final render -------------------------------------------------------------

void CPSPlimPluginApp::FinalRender()
{
    // Tiles are counted and walked in 64 bits: a tile's far edge may pass
    // the largest coordinate before it is cut to the filter rectangle.
    const HuxRect& f = FilterRect();
    const int64_t tilesAcross = (int64_t(f.Width()) + kTileSize - 1) / kTileSize;
    const int64_t tilesDown = (int64_t(f.Height()) + kTileSize - 1) / kTileSize;
    const int64_t tileCount = tilesAcross * tilesDown;

    HuxPSTileCache& cache = SelectTileCache(1, HuxPSTileCache::kHostOrder);
    HuxAutoArrayPtr<uint8_t> buffer(new uint8_t[kFinalTileBytes]);
    m_mapping.SetRectangle(f);
    ApplyMapperSettings();

    int64_t done = 0;
    for (int64_t y0 = f.top; y0 < f.bottom; y0 += kTileSize) {
        const int64_t y1 = std::min<int64_t>(y0 + kTileSize, f.bottom);
        for (int64_t x0 = f.left; x0 < f.right; x0 += kTileSize) {
            const int64_t x1 = std::min<int64_t>(x0 + kTileSize, f.right);
            RenderFinalTile(cache, {int32_t(x0), int32_t(y0), int32_t(x1), int32_t(y1)}, buffer.get());
            TestAbort();
            ReportTileProgress(done++, tileCount);
        }
    }
}

// The host counts progress in 32 bits; a count beyond that is reported in
// proportion.
void CPSPlimPluginApp::ReportTileProgress(int64_t done, int64_t total)
{
    if (total <= INT32_MAX) {
        UpdateProgress(int32_t(done), int32_t(total));
        return;
    }
    UpdateProgress(int32_t(double(done) / double(total) * INT32_MAX), INT32_MAX);
}

void CPSPlimPluginApp::RenderFinalTile(HuxPSTileCache& cache, const HuxRect& rect, uint8_t* buffer)
{
    const int32_t rowBytes = rect.Width() * 3;
    DestinationTile tile;
    tile.data = buffer;
    tile.left = rect.left;
    tile.top = rect.top;
    tile.right = rect.right;
    tile.bottom = rect.bottom;
    tile.rowStride = rowBytes;
    RenderTile(cache, tile, m_mapping);

    PS::FilterRecord* record = HostRecord();
    // Nothing of the source or the mask is needed for the output.
    HuxPSRequest request;
    request.out = rect;
    HuxPSSetRequest(*record, request);
    AdvanceState();

    HuxPSDeliveredRows(record->outData, record->outRowBytes, rect, 3);
    auto* out = static_cast<uint8_t*>(record->outData);
    for (int32_t row = 0; row < rect.Height(); ++row)
        std::memcpy(out + ptrdiff_t(row) * record->outRowBytes, buffer + ptrdiff_t(row) * rowBytes, size_t(rowBytes));
}
