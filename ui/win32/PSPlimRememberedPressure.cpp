#include "ui/win32/PSPlimRememberedPressure.h"

#include "HuxLib/HUXUTIL/win32/HuxUserStorage.h"
#include "ui/PSPlimPenInput.h"
#include "ui/win32/PSPlimUserStorageName.h"

namespace {

constexpr const wchar_t* kValue = L"PressureControlsPower";

} // namespace

bool PSPlimRememberedPressure::Restore()
{
    m_opened = PSPlimPressureToggleFromText(HuxReadUserValue(kPSPlimUserStorageName, kValue));
    return m_opened;
}

// Not remembering costs the user a click next time: not worth a message.
void PSPlimRememberedPressure::Save(bool on) const
{
    if (on == m_opened)
        return;
    HuxWriteUserValue(kPSPlimUserStorageName, kValue, PSPlimPressureToggleText(on));
}
