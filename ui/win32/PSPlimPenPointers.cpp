#include "ui/win32/PSPlimPenPointers.h"

#include "HuxLib/HUXWIN/win32/HuxUser32Function.h"

namespace {

std::optional<PSPlimPenSample::Phase> PhaseOf(UINT message)
{
    switch (message) {
    case WM_POINTERDOWN: return PSPlimPenSample::Phase::Down;
    case WM_POINTERUPDATE: return PSPlimPenSample::Phase::Update;
    case WM_POINTERUP: return PSPlimPenSample::Phase::Up;
    default: return std::nullopt;
    }
}

} // namespace

PSPlimPenPointers::PSPlimPenPointers()
{
    m_type = HuxUser32Function<GetPointerTypeFunction>("GetPointerType");
    m_penInfo = HuxUser32Function<GetPointerPenInfoFunction>("GetPointerPenInfo");
}

std::optional<PSPlimPenSample> PSPlimPenPointers::SampleOf(UINT message, WPARAM wParam) const
{
    const std::optional<PSPlimPenSample::Phase> phase = PhaseOf(message);
    const UINT32 id = GET_POINTERID_WPARAM(wParam);
    POINTER_INPUT_TYPE type = PT_POINTER;
    POINTER_PEN_INFO pen{};
    if (!phase || !Read() || !m_type(id, &type) || type != PT_PEN || !m_penInfo(id, &pen))
        return std::nullopt;
    const bool barrel = (pen.pointerInfo.pointerFlags & POINTER_FLAG_SECONDBUTTON) != 0;
    return PSPlimPenSample{*phase, barrel, (pen.penMask & PEN_MASK_PRESSURE) != 0, uint32_t(pen.pressure)};
}
