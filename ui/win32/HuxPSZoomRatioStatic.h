// The zoom ratio label under the preview: "Zoom 2:1", "Zoom 1:3", or the
// exact reduction at the level where the whole image fits ("Zoom 1:2.7").
#pragma once

#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxPSFilter;

class HuxPSZoomRatioStatic : public CStatic {
public:
    HuxPSZoomRatioStatic(HuxPSFilter* app, int showFitRatio) : m_app(app), m_showFitRatio(showFitRatio) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    HuxPSFilter* m_app;
    int m_showFitRatio;
};
