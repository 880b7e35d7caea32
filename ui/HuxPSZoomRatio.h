// The zoom ratio label's text: "Zoom " and the magnification, or at the fit
// level optionally the exact reduction with one decimal.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

#include <string>

class HuxPSFilter;

// level: the zoom level; canZoomOut: the level is below the fit level; the
// sizes of the view (image pixels) and of the preview window (screen pixels)
// give the fit ratio.
std::string HuxPSZoomRatioText(int level, bool canZoomOut, bool showFitRatio, HuxPointI viewSize,
                               HuxPointI windowSize);
std::string HuxPSZoomRatioText(const HuxPSFilter& filter, bool showFitRatio);
