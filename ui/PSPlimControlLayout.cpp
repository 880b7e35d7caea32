#include "ui/PSPlimControlLayout.h"

#include "grid/PSPlimGrid.h"

#include <cmath>

namespace {

bool Contains(const HuxRect& r, HuxPointI p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// (value - from) * extent / span + origin in 64 bits; a view of no extent
// counts as one pixel rather than dividing by zero.
int32_t CarryAcross(int32_t value, int32_t from, int32_t extent, int32_t span, int32_t origin)
{
    const int64_t divisor = span != 0 ? span : 1;
    return int32_t((int64_t(value) - from) * extent / divisor + origin);
}

} // namespace

HuxRect PSPlimDestinationRect(const HuxRect& client, int32_t imageWidth, int32_t imageHeight)
{
    const int64_t cw = client.Width();
    const int64_t ch = client.Height();
    if (imageWidth <= 0 || imageHeight <= 0 || cw <= 0 || ch <= 0)
        return {client.left, client.top, client.left, client.top};
    int64_t w = cw;
    int64_t h = ch;
    if (cw * imageHeight > ch * imageWidth)
        w = ch * imageWidth / imageHeight; // the height fills: fit the width
    else
        h = cw * imageHeight / imageWidth; // the width fills: fit the height
    const int32_t left = client.left + int32_t((cw - w) / 2);
    const int32_t top = client.top + int32_t((ch - h) / 2);
    return {left, top, left + int32_t(w), top + int32_t(h)};
}

std::array<HuxRect, 4> PSPlimBands(const HuxRect& client, const HuxRect& d)
{
    return {HuxRect{client.left, client.top, client.right, d.top},
            HuxRect{client.left, d.bottom, client.right, client.bottom},
            HuxRect{client.left, d.top, d.left, d.bottom},
            HuxRect{d.right, d.top, client.right, d.bottom}};
}

HuxRect PSPlimImageRect(const HuxRect& f, const HuxRect& v, const HuxRect& d)
{
    return {CarryAcross(f.left, v.left, d.Width(), v.Width(), d.left),
            CarryAcross(f.top, v.top, d.Height(), v.Height(), d.top),
            CarryAcross(f.right, v.right, d.Width(), v.Width(), d.right),
            CarryAcross(f.bottom, v.bottom, d.Height(), v.Height(), d.bottom)};
}

std::optional<PSPlimControlLayout> PSPlimLayOutControl(const HuxRect& client, const HuxImage2* outputPreview,
                                                       const HuxRect& filterRect, const HuxRect& viewRect)
{
    if (!outputPreview)
        return std::nullopt;
    PSPlimControlLayout layout;
    layout.destination = PSPlimDestinationRect(client, outputPreview->Width(), outputPreview->AbsHeight());
    layout.bands = PSPlimBands(client, layout.destination);
    layout.imageRect = PSPlimImageRect(filterRect, viewRect, layout.destination);
    return layout;
}

void PSPlimGridPolylines(const PSPlimGrid& grid, const PSPlimClientMapping& mapping, PSPlimPolylines& lines)
{
    lines.points.clear();
    lines.counts.clear();
    const int across = grid.PointsAcross();
    const int down = grid.PointsDown();
    if (across < 3 || down < 3)
        return;
    for (int r = 1; r <= down - 2; ++r) {
        for (int c = 1; c <= across - 2; ++c)
            lines.points.push_back(mapping.GridToClient(grid.Point(c, r)));
        lines.counts.push_back(uint32_t(across - 2));
    }
    for (int c = 1; c <= across - 2; ++c) {
        for (int r = 1; r <= down - 2; ++r)
            lines.points.push_back(mapping.GridToClient(grid.Point(c, r)));
        lines.counts.push_back(uint32_t(down - 2));
    }
}

PSPlimToolCircle PSPlimToolCircleFor(const PSPlimPointerState& pointer, double toolSize,
                                     const PSPlimClientMapping& mapping)
{
    const bool inside = Contains(pointer.client, pointer.cursor);
    PSPlimToolCircle circle;
    circle.shown = (pointer.showToolRadius && !pointer.panning && (inside || pointer.stroking)) || pointer.sizeTracking;
    if (!circle.shown)
        return circle;
    circle.centre = pointer.cursor;
    if (!inside && pointer.sizeTracking)
        circle.centre = {(pointer.client.left + pointer.client.right) / 2,
                         (pointer.client.top + pointer.client.bottom) / 2};
    const double span = mapping.imageRect.right - mapping.imageRect.left;
    const double radius = mapping.gridWidth > 0.0 ? std::trunc(toolSize * span / mapping.gridWidth) : 0.0;
    circle.radius = std::isfinite(radius) && std::fabs(radius) < 1073741824.0 ? int32_t(radius) : 0;
    return circle;
}

bool PSPlimTimerRepaints(const PSPlimPointerState& pointer, bool radiusShown)
{
    return radiusShown && pointer.showToolRadius && !pointer.panning && !pointer.stroking && !pointer.sizeTracking &&
           !Contains(pointer.client, pointer.cursor);
}
