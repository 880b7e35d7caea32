#include "testhost/OwnerWindow.h"

#include <windows.h>

#include <stdexcept>

namespace SquelmHost {

namespace {

constexpr const char* kClassName = "SquelmTestHostOwner";

void RegisterOwnerClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered)
        throw std::runtime_error("cannot register the owner window class");
}

} // namespace

OwnerWindow::OwnerWindow()
{
    RegisterOwnerClass();
    HWND window = CreateWindowExA(0, kClassName, "Squelm test host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  640, 480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        throw std::runtime_error("cannot create the owner window");
    handle_ = reinterpret_cast<intptr_t>(window);
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow(reinterpret_cast<HWND>(handle_));
}

} // namespace SquelmHost
