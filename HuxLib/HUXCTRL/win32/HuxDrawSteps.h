// Carrying out the controls' drawing steps with the system's drawing calls,
// in the current system colours; with the fill-around and bevel helpers
// that other windows share.
#pragma once

#include <windows.h>

#include "HuxLib/HUXCTRL/HuxDrawStep.h"

// Where a button's faces come from for its CopyFace steps (null: skipped).
struct HuxFaceSources {
    HDC face = nullptr;
    HDC disabledFace = nullptr;
};

RECT HuxToRECT(const HuxRect& r);
HuxRect HuxFromRECT(const RECT& r);

// A rectangle filled with a colour, allocating nothing.
void HuxFillSolid(HDC dc, const HuxRect& rect, COLORREF colour);

void HuxRunDrawStep(HDC dc, const HuxDrawStep& step, const HuxFaceSources& faces = {});
template <class Steps>
void HuxRunDrawSteps(HDC dc, const Steps& steps, const HuxFaceSources& faces = {})
{
    for (const HuxDrawStep& step : steps)
        HuxRunDrawStep(dc, step, faces);
}

// Fills the parts of outer outside inner with the colour.
void HuxFillAround(HDC dc, const HuxRect& outer, const HuxRect& inner, COLORREF colour);
// The 3-D bevel, raised or sunken, in the system's 3-D colours.
void HuxDrawBevel(HDC dc, const HuxRect& rect, bool raised);
