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
        RunSelector(selector);
    }
    catch (const char* message) {
        ReportMessage(message);
    }
    catch (HuxOSErr code) {
        ReportFailure(code);
    }
    catch (HuxException* fault) {
        // The translator allocated it; nobody else will free it.
        delete fault;
        ReportFailure(kGenericFailure);
    }
    catch (...) {
        ReportFailure(kGenericFailure);
    }
    UnlockParameters();
}

void HuxPSFilter::RunSelector(int16_t selector)
{
    switch (selector) {
    case PS::filterSelectorAbout: About(); break;
    case PS::filterSelectorParameters: Parameters(); break;
    case PS::filterSelectorPrepare: Prepare(); break;
    case PS::filterSelectorStart: Start(); break;
    case PS::filterSelectorContinue: Continue(); break;
    case PS::filterSelectorFinish: Finish(); break;
    default: break;
    }
}

void HuxPSFilter::ReportFailure(PS::OSErr code)
{
    if (m_result)
        *m_result = code;
}

// The host shows the text after its own "Cannot complete operation
// because"; a host without an errorString buffer still gets the code.
void HuxPSFilter::ReportMessage(const char* message)
{
    ReportFailure(PS::errReportString);
    if (!m_record || !m_record->errorString)
        return;
    const size_t length = message ? std::min(std::strlen(message), kMaxErrorText) : 0;
    unsigned char* text = *m_record->errorString;
    text[0] = static_cast<unsigned char>(length);
    if (length)
        std::memcpy(text + 1, message, length);
}

void HuxPSFilter::UnlockParameters() noexcept
{
    if (m_record && m_record->parameters)
        HuxPSHandles(m_record->handleProcs).Unlock(m_record->parameters);
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

void HuxPSFilter::Prepare()
{
    ObtainParameters();
    m_filterRect = HuxPSFilterRectOf(RequireRecord());
}

// The whole image was processed inside Start; empty requests end the host's loop.
void HuxPSFilter::Continue()
{
    HuxPSSetRequest(RequireRecord(), {});
}
