#include "host/HuxPSDocument.h"

namespace {

struct ModeEntry {
    int16_t mode;
    HuxPSColourModel model;
    int32_t depth;
    int16_t colourPlanes;
};

// Every mode a filter of this interface can be offered; modes not listed
// (Bitmap, Indexed, HSL, HSB, Multichannel, Duotone) have no colour model
// a warp could work in.
constexpr ModeEntry kModes[] = {
    {PS::plugInModeGrayScale, HuxPSColourModel::Grey, 8, 1},
    {PS::plugInModeRGBColor, HuxPSColourModel::RGB, 8, 3},
    {PS::plugInModeCMYKColor, HuxPSColourModel::CMYK, 8, 4},
    {PS::plugInModeLabColor, HuxPSColourModel::Lab, 8, 3},
    {PS::plugInModeGray16, HuxPSColourModel::Grey, 16, 1},
    {PS::plugInModeRGB48, HuxPSColourModel::RGB, 16, 3},
    {PS::plugInModeCMYK64, HuxPSColourModel::CMYK, 16, 4},
    {PS::plugInModeLab48, HuxPSColourModel::Lab, 16, 3},
    {PS::plugInModeGray32, HuxPSColourModel::Grey, 32, 1},
    {PS::plugInModeRGB96, HuxPSColourModel::RGB, 32, 3},
};

const ModeEntry* FindMode(int16_t mode)
{
    for (const ModeEntry& entry : kModes) {
        if (entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

HuxPSTransparency TransparencyOf(const PS::FilterRecord& record)
{
    switch (record.filterCase) {
    case PS::filterCaseEditTransparencyNoSelection:
    case PS::filterCaseEditTransparencyWithSelection: return HuxPSTransparency::Editable;
    case PS::filterCaseProtectTransparencyNoSelection:
    case PS::filterCaseProtectTransparencyWithSelection: return HuxPSTransparency::Protected;
    case PS::filterCaseFlatImageNoSelection:
    case PS::filterCaseFlatImageWithSelection:
        // A host that cannot give the filter a layer's transparency falls
        // back to a flat case; where it still counts the plane, warping the
        // colour alone would leave the transparency behind.
        return record.inTransparencyMask > 0 ? HuxPSTransparency::Editable : HuxPSTransparency::None;
    default: return HuxPSTransparency::None;
    }
}

bool LayoutFits(const PS::FilterRecord& record, const ModeEntry& mode, HuxPSTransparency transparency)
{
    const int needed = mode.colourPlanes + (transparency == HuxPSTransparency::None ? 0 : 1);
    const bool depthFits = record.depth == 0 || record.depth == mode.depth;
    const bool layerFits = record.inLayerPlanes == 0 || record.inLayerPlanes == mode.colourPlanes;
    return depthFits && layerFits && record.planes >= needed;
}

} // namespace

HuxPSDocument HuxPSDescribeDocument(const PS::FilterRecord& record)
{
    HuxPSDocument document;
    document.kind.transparency = TransparencyOf(record);
    document.kind.depth = record.depth;
    const ModeEntry* mode = FindMode(record.imageMode);
    if (!mode)
        return document;
    document.kind.model = mode->model;
    document.kind.depth = mode->depth;
    document.colourPlanes = mode->colourPlanes;
    document.layoutFits = LayoutFits(record, *mode, document.kind.transparency);
    return document;
}

HuxPixelLayout HuxPSWarpLayout(const HuxPSDocument& document)
{
    return {document.colourPlanes, HuxPSMovesTransparency(document.kind) ? HuxAlpha::Weighted : HuxAlpha::None, document.kind.depth / 8};
}

int16_t HuxPSShownPlanes(const HuxPSDocument& document)
{
    return int16_t(document.colourPlanes + (document.kind.transparency == HuxPSTransparency::None ? 0 : 1));
}

int32_t HuxPSShownPixelBytes(const HuxPSDocument& document)
{
    return HuxPSShownPlanes(document) * (document.kind.depth / 8);
}
