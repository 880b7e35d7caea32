// Zoom-level arithmetic of the preview. A level L <= 0 magnifies by
// (2 - L):1; a level above 0 reduces by 1:L.
#pragma once

#include <cstdint>

#include "HuxLib/HuxGeometry/HuxRect.h"

// Largest level at which a filter extent fits an area extent on one axis.
int HuxPSAxisFitLevel(int32_t filterExtent, int32_t areaExtent);

// Image pixels that an area extent shows at a level, cut to the filter extent.
int32_t HuxPSViewExtent(int level, int32_t areaExtent, int32_t filterExtent);

// Sampling rate used to read the preview from the host at a level.
constexpr int HuxPSScaleForLevel(int level) { return level > 1 ? level : 1; }

// The nearest the user may zoom in: 7:1, unless the fit level is already closer.
constexpr int HuxPSClosestLevel(int fitLevel) { return fitLevel < -5 ? fitLevel : -5; }

// The level after the preview area changed size: a view that showed the
// whole filter (its fit level) shows it whole again; any other keeps its
// level, within those the new area allows.
int HuxPSLevelAfterResize(int level, int oldFitLevel, int newFitLevel);

// The top-left corner of a view of `size` centred where `view` is centred.
HuxPointI HuxPSCentredCorner(const HuxRect& view, HuxPointI size);
