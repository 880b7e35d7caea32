#include "host/HuxPSDocumentColour.h"

#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"
#include "host/HuxPSDisplayPixels.h"

#include <algorithm>

void HuxPSDocumentColour(const HuxPSDocument& document, uint32_t colour, uint32_t samples[4])
{
    const uint32_t white = HuxColour::WhiteOf(document.kind.depth);
    uint32_t rgb[3];
    for (int p = 0; p < 3; ++p)
        rgb[p] = HuxColour::Rescaled((colour >> (8 * p)) & 0xFF, 255, white);
    switch (document.kind.model) {
    case HuxPSColourModel::Grey: samples[0] = HuxColour::GreyFromRgb(rgb); break;
    case HuxPSColourModel::CMYK: HuxColour::CmykFromRgb(rgb, white, samples); break;
    case HuxPSColourModel::Lab: HuxColour::LabFromRgb(rgb, white, samples); break;
    default:
        for (int p = 0; p < 3; ++p)
            samples[p] = rgb[p];
        break;
    }
}

std::optional<int16_t> HuxPSConversionSpace(const HuxPSDocument& document)
{
    switch (document.kind.model) {
    case HuxPSColourModel::CMYK: return PS::plugIncolorServicesCMYKSpace;
    case HuxPSColourModel::Lab: return PS::plugIncolorServicesLabSpace;
    default: return std::nullopt;
    }
}

void HuxPSSamplesOfHostColour(const HuxPSDocument& document, const int16_t components[4], uint32_t samples[4])
{
    const uint32_t white = HuxColour::WhiteOf(document.kind.depth);
    for (int p = 0; p < document.colourPlanes && p < 4; ++p)
        samples[p] = HuxColour::Rescaled(uint32_t(std::clamp<int16_t>(components[p], 0, 255)), 255, white);
}

uint32_t HuxPSShownDocumentColour(const HuxPSDocument& document, const uint32_t samples[4])
{
    uint32_t rgb[3];
    HuxPSShownColour(document, samples, rgb);
    return rgb[0] | rgb[1] << 8 | rgb[2] << 16;
}
