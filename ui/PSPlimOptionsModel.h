// The options dialog's values: read from the parameters record and the
// working grid when it opens, written back to the application on OK.
#pragma once

#include <cstdint>

class CPSPlimPluginApp;
class PSPlimGrid;
struct PSPlimParameters;

struct PSPlimOptionsValues {
    uint32_t gridColour = 0;
    uint32_t toolRadiusColour = 0;
    int knockout = 0; // check box value
    uint32_t knockoutColour = 0;
    int interpolation = 0; // check box value
    // Radio group index: 0 repeat edge pixels, 1 fill with the edge colour,
    // -1 nothing chosen.
    int edgeFillChoice = -1;
    uint32_t edgeColour = 0;
    // Visible points, as the boxes show them: the grid's counts less its ring.
    int pointsAcross = 0;
    int pointsDown = 0;
};

// Exposed-area modes the dialog offers.
constexpr int32_t kPSPlimRepeatEdgePixels = 0;
constexpr int32_t kPSPlimFillWithColour = 3;
// The grid's ring: point counts hold two points more than the dialog shows.
constexpr int kPSPlimRingPoints = 2;

PSPlimOptionsValues PSPlimReadOptions(const PSPlimParameters& params, const PSPlimGrid& grid);

// Writes every value into the parameters record. The same point counts only
// rebuild the output preview; other counts record one "Resize grid" step
// (the application clamps each count).
void PSPlimApplyOptions(CPSPlimPluginApp& app, const PSPlimOptionsValues& values);
