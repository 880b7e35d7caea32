#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

#include <commctrl.h>

#include <string>

#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

namespace {

constexpr const char* kWindowClass = "HuxWnd";
// ISOLATIONAWARE_MANIFEST_RESOURCE_ID: the manifest a library activates itself.
constexpr WORD kManifestResource = 2;

class WindowClass {
public:
    WindowClass()
    {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        info.style = CS_DBLCLKS;
        info.lpfnWndProc = &HuxWindowProcedure;
        info.hInstance = HuxResourceModule();
        info.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        info.lpszClassName = kWindowClass;
        m_registered = RegisterClassExA(&info) != 0;
    }
    ~WindowClass()
    {
        if (m_registered)
            UnregisterClassA(kWindowClass, HuxResourceModule());
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

private:
    bool m_registered = false;
};

class ActivationContext {
public:
    ActivationContext()
    {
        // The context is made from the module's file: its path is needed
        // along with the module handle.
        std::wstring path(MAX_PATH, L'\0');
        DWORD length = 0;
        while ((length = GetModuleFileNameW(HuxResourceModule(), path.data(), static_cast<DWORD>(path.size()))) ==
                   path.size() &&
               path.size() < 0x10000)
            path.resize(path.size() * 2);
        if (length == 0 || length >= path.size())
            return;
        path.resize(length);
        ACTCTXW context{};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.c_str();
        context.hModule = HuxResourceModule();
        context.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
        m_handle = CreateActCtxW(&context);
    }
    ~ActivationContext()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ReleaseActCtx(m_handle);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    HANDLE Handle() const { return m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

const ActivationContext& TheActivationContext()
{
    static const ActivationContext context;
    return context;
}

} // namespace

HMODULE HuxResourceModule()
{
    static const HMODULE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&HuxResourceModule), &found);
        return found;
    }();
    return module;
}

const char* HuxWindowClassName()
{
    static const WindowClass registration;
    return kWindowClass;
}

void HuxEnsureCommonControls()
{
    static const bool initialised = [] {
        const HuxVisualStyleScope styles;
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(initialised);
}

HuxVisualStyleScope::HuxVisualStyleScope()
{
    const HANDLE context = TheActivationContext().Handle();
    if (context != INVALID_HANDLE_VALUE && !ActivateActCtx(context, &m_cookie))
        m_cookie = 0;
}

HuxVisualStyleScope::~HuxVisualStyleScope()
{
    if (m_cookie)
        DeactivateActCtx(0, m_cookie);
}
