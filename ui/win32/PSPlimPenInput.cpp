#include "ui/win32/PSPlimPenInput.h"

#include "ui/PSPlimPenPressure.h"

namespace {

// The mark the system leaves in a mouse message's extra information when a
// pen or touch made it.
constexpr LPARAM kPenMarkMask = LPARAM(0xFFFFFF00);
constexpr LPARAM kPenMark = LPARAM(0xFF515700);

using GetPointerTypeFunction = BOOL(WINAPI*)(UINT32, POINTER_INPUT_TYPE*);
using GetPointerPenInfoFunction = BOOL(WINAPI*)(UINT32, POINTER_PEN_INFO*);

struct PointerFunctions {
    GetPointerTypeFunction type = nullptr;
    GetPointerPenInfoFunction penInfo = nullptr;
};

const PointerFunctions& Pointers()
{
    static const PointerFunctions functions = [] {
        PointerFunctions found;
        if (const HMODULE user = GetModuleHandleA("user32.dll")) {
            found.type = reinterpret_cast<GetPointerTypeFunction>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetPointerType")));
            found.penInfo = reinterpret_cast<GetPointerPenInfoFunction>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetPointerPenInfo")));
        }
        return found;
    }();
    return functions;
}

} // namespace

void PSPlimPenInput::PointerMessage(WPARAM wParam)
{
    const PointerFunctions& pointers = Pointers();
    const UINT32 id = GET_POINTERID_WPARAM(wParam);
    POINTER_INPUT_TYPE type = PT_POINTER;
    POINTER_PEN_INFO pen{};
    m_pressure.reset();
    if (pointers.type && pointers.penInfo && pointers.type(id, &type) && type == PT_PEN &&
        pointers.penInfo(id, &pen) && (pen.penMask & PEN_MASK_PRESSURE))
        m_pressure = PSPlimPenPressureFromReading(pen.pressure);
}

std::optional<double> PSPlimPenInput::PressureOfMouseMessage() const
{
    if ((LPARAM(GetMessageExtraInfo()) & kPenMarkMask) != kPenMark)
        return std::nullopt;
    return m_pressure;
}
