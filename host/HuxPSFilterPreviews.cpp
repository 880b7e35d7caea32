// The preview images: source, display (darkened outside the selection),
// mask, output and thumbnail.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "host/HuxPSDelivery.h"
#include "host/HuxPSDisplayPixels.h"

#include <algorithm>

namespace {

HuxAutoPtr<HuxImage2> NewTopDownImage(const HuxRect& extent, int depth, const HuxPalette* palette = nullptr)
{
    auto image = std::make_unique<HuxImage2>();
    image->Create(extent.Width(), -extent.Height(), depth, palette);
    return image;
}

// Selected pixels (m = 255) keep almost their full brightness, unselected
// ones (m = 0) show at about half.
uint8_t Darken(uint8_t value, uint8_t mask) { return static_cast<uint8_t>(value * (mask + 255) / 512); }

// Host pixels in; preview bytes blue, green, red out.
void DarkenRow(const HuxPSDocument& document, const uint8_t* pixels, const uint8_t* mask, uint8_t* out,
               int32_t width, int32_t x, int32_t y)
{
    HuxPSShowRow(document, pixels, out, width, x, y);
    for (int32_t x = 0; x < width; ++x, out += 3) {
        out[0] = Darken(out[0], mask[x]);
        out[1] = Darken(out[1], mask[x]);
        out[2] = Darken(out[2], mask[x]);
    }
}

bool HostHasMask(const PS::FilterRecord* record) { return record && record->haveMask; }

} // namespace

HuxImage2* HuxPSFilter::GetOutputPreview() { return m_outputPreview.get(); }

HuxImage2* HuxPSFilter::GetSourcePreview() { return m_sourcePreview.get(); }

HuxImage2* HuxPSFilter::GetDisplayPreview()
{
    return HostHasMask(HostRecord()) ? m_displayPreview.get() : m_sourcePreview.get();
}

HuxImage2* HuxPSFilter::GetMaskPreview() { return m_maskPreview.get(); }

HuxImage2* HuxPSFilter::GetThumbnail() { return m_thumbnail.get(); }

void HuxPSFilter::UpdateSourcePreview(const HuxRect&) { BuildSourcePreview(); }

void HuxPSFilter::UpdateDisplayPreview(const HuxRect&) { BuildDisplayPreview(); }

void HuxPSFilter::UpdateMaskPreview(const HuxRect&) { BuildMaskPreview(); }

void HuxPSFilter::UpdateOutputPreview(const HuxRect&) { BuildOutputPreview(); }

void HuxPSFilter::BuildOutputPreview() {}

void HuxPSFilter::BuildSourcePreview()
{
    const HuxRect extent = ScaledViewRect();
    auto image = NewTopDownImage(extent, 24);
    ReadInput(extent, PreviewScale(), *image, {}, true);
    m_sourcePreview = std::move(image);
}

void HuxPSFilter::BuildMaskPreview()
{
    if (!HostHasMask(HostRecord())) {
        m_maskPreview.reset();
        return;
    }
    HuxPalette grey;
    grey.SetGrey();
    const HuxRect extent = ScaledViewRect();
    auto image = NewTopDownImage(extent, 8, &grey);
    ReadMask(extent, PreviewScale(), *image, {});
    m_maskPreview = std::move(image);
}

void HuxPSFilter::BuildDisplayPreview()
{
    if (!HostHasMask(HostRecord())) {
        m_displayPreview.reset();
        return;
    }
    const HuxRect extent = ScaledViewRect();
    auto image = NewTopDownImage(extent, 24);
    RequestRects(extent, extent, PreviewScale());
    if (!extent.IsEmpty()) {
        const PS::FilterRecord& record = RequireRecord();
        const HuxPSDocument document = Document();
        const int32_t hostPixelBytes = HuxPSShownPixelBytes(document);
        const uint8_t* pixels = HuxPSDeliveredRows(record.inData, record.inRowBytes, extent, hostPixelBytes);
        const uint8_t* mask = HuxPSDeliveredRows(record.maskData, record.maskRowBytes, extent, 1);
        for (int32_t y = 0; y < extent.Height(); ++y, pixels += record.inRowBytes, mask += record.maskRowBytes)
            DarkenRow(document, pixels, mask, image->PixelAddress(0, y), extent.Width(), extent.left,
                      extent.top + y);
    }
    m_displayPreview = std::move(image);
}

void HuxPSFilter::BuildThumbnail(int32_t maxWidth, int32_t maxHeight)
{
    const int32_t scale = std::max({m_filterRect.Width() / std::max(maxWidth, 1),
                                    m_filterRect.Height() / std::max(maxHeight, 1), int32_t(1)});
    const HuxRect extent = HuxRectDivide(m_filterRect, scale);
    auto image = NewTopDownImage(extent, 24);
    ReadInput(extent, scale, *image, {}, true);
    m_thumbnail = std::move(image);
}

HuxImage2& HuxPSFilter::ReplaceOutputPreview(int32_t width, int32_t height)
{
    m_outputPreview = NewTopDownImage({0, 0, width, height}, 24);
    return *m_outputPreview;
}
