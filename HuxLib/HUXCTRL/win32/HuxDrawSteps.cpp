#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"

#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"

// The drawing steps name system colours by the system's own indices.
static_assert(int(HuxSysColour::Window) == COLOR_WINDOW && int(HuxSysColour::WindowText) == COLOR_WINDOWTEXT &&
              int(HuxSysColour::Highlight) == COLOR_HIGHLIGHT && int(HuxSysColour::ButtonFace) == COLOR_BTNFACE &&
              int(HuxSysColour::ButtonShadow) == COLOR_BTNSHADOW &&
              int(HuxSysColour::ButtonHighlight) == COLOR_BTNHIGHLIGHT &&
              int(HuxSysColour::DarkShadow3D) == COLOR_3DDKSHADOW && int(HuxSysColour::Light3D) == COLOR_3DLIGHT);
static_assert(HuxRGB(1, 2, 3) == RGB(1, 2, 3));

namespace {

COLORREF SystemColour(HuxSysColour colour) { return GetSysColor(int(colour)); }

void CopyFrom(HDC dc, const HuxRect& rect, HDC source)
{
    if (source)
        BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), source, 0, 0, SRCCOPY);
}

} // namespace

RECT HuxToRECT(const HuxRect& r) { return {r.left, r.top, r.right, r.bottom}; }

HuxRect HuxFromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void HuxFillSolid(HDC dc, const HuxRect& rect, COLORREF colour)
{
    const RECT area = HuxToRECT(rect);
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void HuxRunDrawStep(HDC dc, const HuxDrawStep& step, const HuxFaceSources& faces)
{
    const HuxRect& r = step.rect;
    switch (step.kind) {
    case HuxDrawStep::Kind::FillRect: HuxFillSolid(dc, r, SystemColour(step.colour)); break;
    case HuxDrawStep::Kind::Frame3D: {
        const COLORREF topLeft = SystemColour(step.colour);
        const COLORREF bottomRight = SystemColour(step.bottomRight);
        HuxFillSolid(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
        HuxFillSolid(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
        HuxFillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
        HuxFillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        break;
    }
    case HuxDrawStep::Kind::RoundRect: {
        // The context's own brush, so that a step creates no brush.
        SetDCBrushColor(dc, SystemColour(step.colour));
        const HuxSelection brush(dc, GetStockObject(DC_BRUSH));
        const HuxSelection pen(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, r.left, r.top, r.right, r.bottom, step.corner, step.corner);
        break;
    }
    case HuxDrawStep::Kind::FocusRect: {
        const RECT area = HuxToRECT(r);
        DrawFocusRect(dc, &area);
        break;
    }
    case HuxDrawStep::Kind::CopyFace: CopyFrom(dc, r, faces.face); break;
    case HuxDrawStep::Kind::CopyDisabledFace: CopyFrom(dc, r, faces.disabledFace); break;
    }
}

void HuxFillAround(HDC dc, const HuxRect& outer, const HuxRect& inner, COLORREF colour)
{
    for (const HuxRect& band : HuxFillAroundBands(outer, inner))
        HuxFillSolid(dc, band, colour);
}

void HuxDrawBevel(HDC dc, const HuxRect& rect, bool raised) { HuxRunDrawSteps(dc, HuxBevelSteps(rect, raised)); }
