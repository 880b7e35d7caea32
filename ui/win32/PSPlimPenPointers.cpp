#include "ui/win32/PSPlimPenPointers.h"

namespace {

template <class Function>
Function Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

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
    const HMODULE user = GetModuleHandleA("user32.dll");
    m_type = Lookup<GetPointerTypeFunction>(user, "GetPointerType");
    m_penInfo = Lookup<GetPointerPenInfoFunction>(user, "GetPointerPenInfo");
}

// The barrel button chooses the tool at the touch; the release names the
// button that went up, as the flags no longer hold it.
std::optional<PSPlimPenSample> PSPlimPenPointers::SampleOf(UINT message, WPARAM wParam) const
{
    const std::optional<PSPlimPenSample::Phase> phase = PhaseOf(message);
    const UINT32 id = GET_POINTERID_WPARAM(wParam);
    POINTER_INPUT_TYPE type = PT_POINTER;
    POINTER_PEN_INFO pen{};
    if (!phase || !Read() || !m_type(id, &type) || type != PT_PEN || !m_penInfo(id, &pen))
        return std::nullopt;
    const POINTER_INFO& pointer = pen.pointerInfo;
    const bool barrel = *phase == PSPlimPenSample::Phase::Up
                            ? pointer.ButtonChangeType == POINTER_CHANGE_SECONDBUTTON_UP
                            : (pointer.pointerFlags & POINTER_FLAG_SECONDBUTTON) != 0;
    return PSPlimPenSample{*phase, barrel, (pen.penMask & PEN_MASK_PRESSURE) != 0, uint32_t(pen.pressure)};
}
