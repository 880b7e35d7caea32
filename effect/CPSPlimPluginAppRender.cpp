// Rendering through the grid: the mapper's settings, the choice of tile
// cache, the output preview while the editor is open, and the final render
// into the host's output.
#include "effect/CPSPlimPluginApp.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSDisplayPixels.h"
#include "host/HuxPSDocumentColour.h"
#include "host/HuxPSRequest.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// The record's exposed-area mode is the cache's edge mode, number for number.
static_assert(HuxPSTileCache::kRepeatEdge == PSPlimStored(PSPlimExposedArea::RepeatEdge));
static_assert(HuxPSTileCache::kWrap == PSPlimStored(PSPlimExposedArea::Wrap));
static_assert(HuxPSTileCache::kMirror == PSPlimStored(PSPlimExposedArea::Mirror));
static_assert(HuxPSTileCache::kFixedColour == PSPlimStored(PSPlimExposedArea::FixedColour));
static_assert(HuxPSTileCache::kTransparent == PSPlimStored(PSPlimExposedArea::Transparent));

// Transparent fills only where the warp moves transparency; elsewhere the
// choice waits in the record for a layer that has it.
int32_t EdgeModeFor(int32_t stored, const HuxPSDocument& document)
{
    const PSPlimExposedArea area = PSPlimForcedChoice<PSPlimExposedArea>(stored);
    if (area == PSPlimExposedArea::Transparent && !HuxPSMovesTransparency(document.kind))
        return PSPlimStored(PSPlimExposedArea::RepeatEdge);
    return PSPlimStored(area);
}

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
    SetKnockoutColour(ShownKnockoutColour());
}

uint32_t CPSPlimPluginApp::ShownKnockoutColour()
{
    const uint32_t picked = m_params->knockoutColour;
    const HuxPSDocument document = Document();
    if (document.kind.model == HuxPSColourModel::RGB)
        return picked;
    if (!m_shownKnockout || m_shownKnockout->picked != picked || m_shownKnockout->kind != document.kind) {
        uint32_t samples[4];
        DocumentColour(document, picked, samples);
        m_shownKnockout = ShownColour{picked, document.kind, HuxPSShownDocumentColour(document, samples)};
    }
    return m_shownKnockout->shown;
}

HuxPSTileCache& CPSPlimPluginApp::SelectTileCache(int32_t scale, int32_t channelOrder)
{
    const bool hasMask = HostRecord()->haveMask != 0;
    const HuxPSDocument document = Document();
    const int32_t edgeMode = EdgeModeFor(m_params->exposedAreaMode, document);
    const HuxPSTileCache* c = m_tileCache.get();
    // The mask flag is compared too: a cache built without the host's mask
    // cannot serve the masked preview variants.
    const bool keep = c && c->Scale() == scale && c->TileWidth() == kTileSize && c->TileHeight() == kTileSize &&
                      c->ChannelOrderValue() == channelOrder && c->Budget() == kCacheBudget &&
                      c->HasMask() == hasMask && c->EdgeModeValue() == edgeMode &&
                      c->Document().kind == document.kind &&
                      (edgeMode != HuxPSTileCache::kFixedColour ||
                       c->EdgeColour() == m_params->exposedAreaColour);
    if (keep)
        return *m_tileCache;
    m_tileCache.reset();
    auto cache = std::make_unique<HuxPSTileCache>(this, scale);
    cache->Configure(kTileSize, kTileSize, channelOrder, hasMask, kCacheBudget, document);
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
    ApplyMapperSettings();
    // A layer is warped with its transparency into a buffer of its own and
    // shown over the checkerboard; anything else straight into the preview.
    const bool layer = cache.Layout().alpha != HuxAlpha::None;
    const int32_t layerRowBytes = target.Width() * cache.Layout().PixelBytes();
    std::vector<uint8_t> layerPixels(layer ? size_t(layerRowBytes) * size_t(target.Height()) : 0);

    // Bands of a fixed height, whatever the thread count: the same bands,
    // the same bytes.
    std::vector<DestinationTile> bands;
    for (int32_t top = target.top; top < target.bottom; top += std::min(kPreviewBandRows, target.bottom - top)) {
        DestinationTile band;
        band.data = layer ? layerPixels.data() + size_t(top - target.top) * size_t(layerRowBytes)
                          : preview.PixelAddress(target.left - scaledView.left, top - scaledView.top);
        band.left = target.left;
        band.top = top;
        band.right = target.right;
        band.bottom = top + std::min(kPreviewBandRows, target.bottom - top);
        band.rowStride = layer ? layerRowBytes : preview.RowStride();
        bands.push_back(band);
    }
    const PSPlimTileRender::Mode mode = !HostRecord()->haveMask ? PSPlimTileRender::Mode::Plain
                                        : m_params->knockout    ? PSPlimTileRender::Mode::Knockout
                                                                : PSPlimTileRender::Mode::Masked;
    RenderThrough([&](PSPlimTileRender& render) {
        return render.Render(*this, mode, cache, m_grid, HuxRectDivide(FilterRect(), scale), bands);
    });
    for (int32_t row = 0; layer && row < target.Height(); ++row)
        HuxPSOverCheckerboard(layerPixels.data() + size_t(row) * size_t(layerRowBytes),
                              preview.PixelAddress(target.left - scaledView.left, target.top + row - scaledView.top),
                              target.Width(), target.left, target.top + row);
}

void CPSPlimPluginApp::RenderThrough(
    const std::function<PSPlimTileRender::LookupCounts(PSPlimTileRender&)>& render)
{
    PSPlimTileRender::LookupCounts counts;
    if (m_tileRender) {
        counts = render(*m_tileRender);
    } else {
        HuxWorkerPool alone(1);
        PSPlimTileRender tileRender(alone);
        counts = render(tileRender);
    }
    m_lookups += counts.lookups;
    m_failedTests += counts.failedTests;
}

// ---- Final render -------------------------------------------------------------

void CPSPlimPluginApp::FinalRender()
{
    const HuxRect& f = FilterRect();
    const int64_t tileCount = ((int64_t(f.Width()) + kTileSize - 1) / kTileSize) *
                              ((int64_t(f.Height()) + kTileSize - 1) / kTileSize);
    HuxPSTileCache& cache = SelectTileCache(1, HuxPSTileCache::kHostOrder);
    ApplyMapperSettings();
    // Each band goes to the host while the next one is rendered.
    const auto deliver = [&](int64_t firstTile, const std::vector<DestinationTile>& band) {
        for (size_t i = 0; i < band.size(); ++i) {
            const DestinationTile& tile = band[i];
            DeliverFinalTile({tile.left, tile.top, tile.right, tile.bottom}, tile.data, cache.Layout());
            TestAbort();
            ReportTileProgress(firstTile + int64_t(i), tileCount);
        }
    };
    RenderThrough([&](PSPlimTileRender& render) {
        return render.RenderBands(*this, PSPlimTileRender::Mode::Plain, cache, m_grid, f, kTileSize, deliver);
    });
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

// The warp's planes go back: a protected layer's transparency is not among
// them, and the host keeps it.
void CPSPlimPluginApp::DeliverFinalTile(const HuxRect& rect, const uint8_t* pixels, const HuxPixelLayout& layout)
{
    const int32_t rowBytes = rect.Width() * layout.PixelBytes();
    PS::FilterRecord* record = HostRecord();
    // Nothing of the source or the mask is needed for the output.
    HuxPSRequest request;
    request.out = rect;
    request.planes = int16_t(layout.Channels());
    HuxPSSetRequest(*record, request);
    AdvanceState();

    HuxPSDeliveredRows(record->outData, record->outRowBytes, rect, layout.PixelBytes());
    auto* out = static_cast<uint8_t*>(record->outData);
    for (int32_t row = 0; row < rect.Height(); ++row)
        std::memcpy(out + ptrdiff_t(row) * record->outRowBytes, pixels + ptrdiff_t(row) * rowBytes, size_t(rowBytes));
}
