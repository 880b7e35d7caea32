// Construction, the selector dispatch and the translation of failures into
// the host's result word.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXUTIL/HuxSETranslator.h"
#include "host/HuxPSHandles.h"
#include "host/HuxPSRequest.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr PS::OSErr kGenericFailure = -1;
constexpr size_t kMaxErrorText = 255;

} // namespace

HuxPSFilter::HuxPSFilter() = default;

HuxPSFilter::~HuxPSFilter() = default;

void HuxPSFilter::Dispatch(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    // Selector 0 brings an AboutRecord: it has no callbacks and no
    // parameters handle, so it must never be read as a FilterRecord.
    const bool about = selector == PS::filterSelectorAbout;
    m_record = about ? nullptr : static_cast<PS::FilterRecord*>(record);
    m_aboutRecord = about ? static_cast<PS::AboutRecord*>(record) : nullptr;
    m_data = data;
    m_result = result;

    try {
        HuxFaultScope faults;
        if (m_record)
            HuxPSAnnounceCoordinates(*m_record);
        // Some hosts preset the result word to a non-zero value and read it
        // afterwards: every selector handled here states its success.
        if (RunSelector(selector))
            SetResult(PS::noErr);
    }
    catch (const char* message) {
        ReportMessage(message);
    }
    catch (const HuxOSErr& error) {
        SetResult(error.code);
    }
    catch (HuxException* fault) {
        // The translator allocated it; nobody else will free it.
        delete fault;
        SetResult(kGenericFailure);
    }
    catch (...) {
        SetResult(kGenericFailure);
    }
    EndCall();
}

// The host may move its blocks and reuse its record once the call returns:
// nothing of the call's is kept past it.
void HuxPSFilter::EndCall() noexcept
{
    ReleaseParameters();
    m_record = nullptr;
    m_aboutRecord = nullptr;
    m_data = nullptr;
    m_result = nullptr;
}

bool HuxPSFilter::RunSelector(int16_t selector)
{
    switch (selector) {
    case PS::filterSelectorAbout: About(); return true;
    case PS::filterSelectorParameters: Parameters(); return true;
    case PS::filterSelectorPrepare: Prepare(); return true;
    case PS::filterSelectorStart: Start(); return true;
    case PS::filterSelectorContinue: Continue(); return true;
    case PS::filterSelectorFinish: Finish(); return true;
    default: return false; // the host's own value stands
    }
}

void HuxPSFilter::SetResult(PS::OSErr code)
{
    if (m_result)
        *m_result = code;
}

// The host shows the text after its own "Cannot complete operation
// because"; a host without an errorString buffer still gets the code.
void HuxPSFilter::ReportMessage(const char* message)
{
    SetResult(PS::errReportString);
    if (!m_record || !m_record->errorString)
        return;
    const size_t length = message ? std::min(std::strlen(message), kMaxErrorText) : 0;
    unsigned char* text = *m_record->errorString;
    text[0] = static_cast<unsigned char>(length);
    if (length)
        std::memcpy(text + 1, message, length);
}

PS::FilterRecord* HuxPSFilter::HostRecord() const { return m_record; }

PS::FilterRecord& HuxPSFilter::RequireRecord() const
{
    if (!m_record)
        throw std::logic_error("host services used outside a filter call");
    return *m_record;
}

// platformData may be null, and its window 0, in the FilterRecord as in the
// AboutRecord: dialogs then have no owner.
intptr_t HuxPSFilter::OwnerWindow() const
{
    const void* platform = m_aboutRecord ? m_aboutRecord->platformData : m_record ? m_record->platformData : nullptr;
    return platform ? static_cast<const PS::PlatformData*>(platform)->hwnd : 0;
}

void HuxPSFilter::Parameters() { ObtainParameters(); }

bool HuxPSFilter::TakesDocument(const HuxPSDocument&) const { return true; }

// Some hosts offer a filter every document whatever its PIPL says.
void HuxPSFilter::Prepare()
{
    if (!TakesDocument(HuxPSDescribeDocument(RequireRecord())))
        throw HuxOSErr(PS::filterBadMode);
    ObtainParameters();
    m_filterRect = HuxPSFilterRectOf(RequireRecord());
}

// The whole image was processed inside Start; empty requests end the host's loop.
void HuxPSFilter::Continue()
{
    HuxPSSetRequest(RequireRecord(), {});
}
