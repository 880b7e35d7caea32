// The host's callbacks, each wrapped so that a failure throws and a missing
// callback has one defined meaning.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSDocumentColour.h"

// advanceState is the only way to get pixels: a host without it cannot run
// this filter.
void HuxPSFilter::AdvanceState()
{
    PS::FilterRecord& record = RequireRecord();
    if (!record.advanceState)
        throw HuxOSErr(PS::errPlugInHostInsufficient);
    const PS::OSErr code = record.advanceState();
    if (code != PS::noErr)
        throw HuxOSErr(code);
}

// A host without abortProc never cancels.
void HuxPSFilter::TestAbort()
{
    PS::FilterRecord& record = RequireRecord();
    if (record.abortProc && record.abortProc())
        throw HuxOSErr(PS::userCanceledErr);
}

// A host without progressProc shows no progress.
void HuxPSFilter::UpdateProgress(int32_t done, int32_t total)
{
    PS::FilterRecord& record = RequireRecord();
    if (record.progressProc)
        record.progressProc(done, total);
}

// A host without colorServices offers no picker: the pick is refused.
bool HuxPSFilter::PickColour(uint32_t& colour)
{
    PS::FilterRecord* record = HostRecord();
    if (!record || !record->colorServices)
        return false;

    PS::ColorServicesInfo info{};
    info.infoSize = sizeof info; // 36 on x86, 56 on x64
    info.selector = PS::plugIncolorServicesChooseColor;
    info.sourceSpace = PS::plugIncolorServicesRGBSpace;
    info.resultSpace = PS::plugIncolorServicesChosenSpace;
    for (int channel = 0; channel < 3; ++channel)
        info.colorComponents[channel] = static_cast<int16_t>((colour >> (8 * channel)) & 0xFF);
    if (record->colorServices(&info) != PS::noErr)
        return false;

    colour = 0;
    for (int channel = 0; channel < 3; ++channel)
        colour |= uint32_t(uint8_t(info.colorComponents[channel])) << (8 * channel);
    return true;
}

// A host without colorServices, or one whose colorServices only picks (it
// answers the conversion with an error), gets the formulas.
void HuxPSFilter::DocumentColour(const HuxPSDocument& document, uint32_t colour, uint32_t samples[4]) const
{
    HuxPSDocumentColour(document, colour, samples);
    const std::optional<int16_t> space = HuxPSConversionSpace(document);
    PS::FilterRecord* record = HostRecord();
    if (!space || !record || !record->colorServices)
        return;

    PS::ColorServicesInfo info{};
    info.infoSize = sizeof info;
    info.selector = PS::plugIncolorServicesConvertColor;
    info.sourceSpace = PS::plugIncolorServicesRGBSpace;
    info.resultSpace = *space;
    for (int channel = 0; channel < 3; ++channel)
        info.colorComponents[channel] = static_cast<int16_t>((colour >> (8 * channel)) & 0xFF);
    if (record->colorServices(&info) == PS::noErr)
        HuxPSSamplesOfHostColour(document, info.colorComponents, samples);
}
