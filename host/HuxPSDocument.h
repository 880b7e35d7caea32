// The kind of document a run brings, read once from the record: colour
// model, bits per sample, transparency, and whether the planes the host
// offers fit that mode. A filter decides from this what it can take.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelFormat.h"
#include "host/PSHostInterface.h"

#include <cstdint>

enum class HuxPSColourModel { Grey, RGB, CMYK, Lab, Other };

enum class HuxPSTransparency {
    None,      // a flat image, or a layer the host mattes
    Editable,  // the layer's transparency is handed over and may change
    Protected, // the layer's transparency is handed over but locked
};

struct HuxPSDocumentKind {
    HuxPSColourModel model = HuxPSColourModel::Other;
    int32_t depth = 0; // bits per channel sample
    HuxPSTransparency transparency = HuxPSTransparency::None;

    friend bool operator==(const HuxPSDocumentKind&, const HuxPSDocumentKind&) = default;
};

struct HuxPSDocument {
    HuxPSDocumentKind kind;
    int16_t colourPlanes = 0; // 1 grey, 3 RGB or Lab, 4 CMYK; 0 for other modes
    // The record's plane counts and depth agree with the mode: enough planes
    // for its colour (and transparency), a layer of the mode's colour planes,
    // a depth the mode can have.
    bool layoutFits = false;
};

// Whether the warp may change the layer's transparency: only then can an
// exposed area be filled with transparency.
constexpr bool HuxPSMovesTransparency(const HuxPSDocumentKind& kind)
{
    return kind.transparency == HuxPSTransparency::Editable;
}

// The document every filter took before modes: 8-bit RGB, flat.
constexpr HuxPSDocument kHuxPSFlatRgb8{{HuxPSColourModel::RGB, 8, HuxPSTransparency::None}, 3, true};

// The planes a warp reads and writes: the colour, and an editable layer's
// transparency weighting it; a protected layer's transparency is the
// host's to keep and is left out.
HuxPixelLayout HuxPSWarpLayout(const HuxPSDocument& document);
// The planes a layer shows with: colour, then any transparency.
int16_t HuxPSShownPlanes(const HuxPSDocument& document);
// The bytes of a pixel the host hands over with those planes.
int32_t HuxPSShownPixelBytes(const HuxPSDocument& document);

// Describes the document of a filter run. Hosts older than the `depth`
// field leave it 0: the mode alone then gives the depth. A host that falls
// back to a flat case on a layer yet reports its transparency plane is
// taken at its word: that layer's transparency is part of the document.
HuxPSDocument HuxPSDescribeDocument(const PS::FilterRecord& record);
