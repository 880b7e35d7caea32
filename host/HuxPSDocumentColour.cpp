#include "host/HuxPSDocumentColour.h"

#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"

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
