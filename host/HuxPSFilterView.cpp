// The preview's view: zoom levels, the view rectangle and scrolling.
#include "host/HuxPSFilter.h"

#include "host/HuxPSZoom.h"

#include <algorithm>
#include <cstdlib>

int HuxPSFilter::PreviewScale() const { return HuxPSScaleForLevel(m_zoomLevel); }

HuxRect HuxPSFilter::ScaledViewRect() const { return HuxRectDivide(m_viewRect, PreviewScale()); }

HuxPointI HuxPSFilter::ViewSize() const
{
    return {HuxPSViewExtent(m_zoomLevel, m_previewWidth, m_filterRect.Width()),
            HuxPSViewExtent(m_zoomLevel, m_previewHeight, m_filterRect.Height())};
}

void HuxPSFilter::SetPreviewSize(int32_t width, int32_t height)
{
    m_previewWidth = width;
    m_previewHeight = height;
    m_fitLevel = std::max(HuxPSAxisFitLevel(m_filterRect.Width(), width),
                          HuxPSAxisFitLevel(m_filterRect.Height(), height));
    m_closestLevel = HuxPSClosestLevel(m_fitLevel);
    m_zoomLevel = m_fitLevel;
    m_viewRect = m_filterRect;
    BuildAllPreviews();
}

void HuxPSFilter::BuildAllPreviews()
{
    BuildSourcePreview();
    BuildDisplayPreview();
    BuildMaskPreview();
    BuildOutputPreview();
}

bool HuxPSFilter::CanZoomIn() const { return m_zoomLevel > m_closestLevel; }

bool HuxPSFilter::CanZoomOut() const { return m_zoomLevel < m_fitLevel; }

void HuxPSFilter::ZoomIn()
{
    if (CanZoomIn())
        ZoomTo(m_zoomLevel - 1);
}

void HuxPSFilter::ZoomOut()
{
    if (CanZoomOut())
        ZoomTo(m_zoomLevel + 1);
}

void HuxPSFilter::ZoomToFit()
{
    if (m_zoomLevel != m_fitLevel)
        ZoomTo(m_fitLevel);
}

// The new view keeps the old view's centre, as far as the filter allows.
void HuxPSFilter::ZoomTo(int level)
{
    m_zoomLevel = level;
    const HuxPointI size = ViewSize();
    const int32_t left = m_viewRect.left + m_viewRect.Width() / 2 - size.x / 2;
    const int32_t top = m_viewRect.top + m_viewRect.Height() / 2 - size.y / 2;
    SetViewRect({left, top, left + size.x, top + size.y});
}

// The rectangle keeps its top-left corner, takes the size of the current
// level and is shifted back inside the filter rectangle: right, bottom,
// left, top, in that order.
void HuxPSFilter::SetViewRect(const HuxRect& rect)
{
    const HuxPointI size = ViewSize();
    int64_t left = rect.left;
    int64_t top = rect.top;
    left -= std::max<int64_t>(left + size.x - m_filterRect.right, 0);
    top -= std::max<int64_t>(top + size.y - m_filterRect.bottom, 0);
    left += std::max<int64_t>(m_filterRect.left - left, 0);
    top += std::max<int64_t>(m_filterRect.top - top, 0);
    m_viewRect = {int32_t(left), int32_t(top), int32_t(left + size.x), int32_t(top + size.y)};
    BuildAllPreviews();
}

void HuxPSFilter::ScrollView(int32_t dx, int32_t dy)
{
    if (dy != 0)
        ScrollAxis(dy, true);
    if (dx != 0)
        ScrollAxis(dx, false);
}

// The distance is rounded up to whole preview pixels, then cut so that the
// view stays inside the filter rectangle (at the edge it moves by 0). The
// previews move by the change of the scaled view, which is distance / scale
// whenever the cut leaves a whole number of preview pixels.
void HuxPSFilter::ScrollAxis(int32_t delta, bool vertical)
{
    const int64_t scale = PreviewScale();
    const int64_t rounded = (std::abs(int64_t(delta)) + scale - 1) / scale * scale;
    const int32_t low = vertical ? m_filterRect.top - m_viewRect.top : m_filterRect.left - m_viewRect.left;
    const int32_t high = vertical ? m_filterRect.bottom - m_viewRect.bottom : m_filterRect.right - m_viewRect.right;
    const auto distance = static_cast<int32_t>(delta > 0 ? std::min<int64_t>(rounded, std::max(high, 0))
                                                         : -std::min<int64_t>(rounded, std::max(-low, 0)));

    const HuxRect before = ScaledViewRect();
    m_viewRect = vertical ? HuxRectOffset(m_viewRect, 0, distance) : HuxRectOffset(m_viewRect, distance, 0);
    const HuxRect after = ScaledViewRect();
    const int32_t shift = vertical ? before.top - after.top : before.left - after.left;
    for (HuxImage2* image : {m_sourcePreview.get(), m_outputPreview.get()}) {
        if (image && vertical)
            image->ScrollRows(shift);
        else if (image)
            image->ScrollColumns(shift);
    }

    const HuxRect strip = ExposedStrip(distance, vertical);
    UpdateSourcePreview(strip);
    UpdateDisplayPreview(strip);
    UpdateMaskPreview(strip);
    UpdateOutputPreview(strip);
}

// The band of the moved view that was not visible before it moved.
HuxRect HuxPSFilter::ExposedStrip(int32_t distance, bool vertical) const
{
    HuxRect strip = m_viewRect;
    if (vertical && distance > 0)
        strip.top = strip.bottom - distance;
    else if (vertical)
        strip.bottom = strip.top - distance;
    else if (distance > 0)
        strip.left = strip.right - distance;
    else
        strip.right = strip.left - distance;
    return strip;
}
