// The options dialog's values: read from the parameters record and the
// working grid when it opens, written back to the application on OK.
#pragma once

#include "host/HuxPSDocument.h"

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
    // 2 transparent, -1 nothing chosen.
    int edgeFillChoice = -1;
    // Transparent is offered only on a layer whose transparency may change.
    bool offersTransparent = false;
    uint32_t edgeColour = 0;
    // Visible points, as the boxes show them: the grid's counts less its ring.
    int pointsAcross = 0;
    int pointsDown = 0;
};

// The grid's ring: point counts hold two points more than the dialog shows.
constexpr int kPSPlimRingPoints = 2;

// A stored mode the dialog does not offer here opens as repeat edge pixels.
PSPlimOptionsValues PSPlimReadOptions(const PSPlimParameters& params, const PSPlimGrid& grid,
                                      const HuxPSDocumentKind& document);

// Writes every value into the parameters record; Transparent only where it
// was offered, else repeat edge pixels. The same point counts only
// rebuild the output preview; other counts record one "Resize grid" step
// (the application clamps each count).
void PSPlimApplyOptions(CPSPlimPluginApp& app, const PSPlimOptionsValues& values);
