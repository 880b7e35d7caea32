#include "testhost/win32/WindowAutomation.h"

#include "testhost/PollUntil.h"

#include <windows.h>
// after <windows.h>, which they need
#include <commctrl.h>
#include <dlgs.h>

#include <stdexcept>
#include <utility>

namespace SquelmHost {

namespace {

// Windows answer quickly: ask more often than the default.
constexpr auto kWindowPollInterval = std::chrono::milliseconds(20);

HWND AsWindow(intptr_t handle)
{
    return reinterpret_cast<HWND>(handle);
}

intptr_t AsHandle(HWND window)
{
    return reinterpret_cast<intptr_t>(window);
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

// The file name box of the system's file dialog: an edit box in some
// versions, a combo box with an edit box inside in others.
constexpr int kFileNameControls[] = {edt1, cmb13};

} // namespace

WindowAutomation::WindowAutomation(std::chrono::milliseconds timeout) : timeout_(timeout) {}

std::vector<WindowState> WindowAutomation::TopLevelWindows() const
{
    std::vector<HWND> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    const DWORD process = GetCurrentProcessId();
    std::vector<WindowState> ours;
    for (HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process)
            ours.push_back(Describe(AsHandle(window)));
    }
    return ours;
}

std::vector<WindowState> WindowAutomation::Children(intptr_t window) const
{
    std::vector<HWND> windows;
    EnumChildWindows(AsWindow(window), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<WindowState> children;
    for (HWND child : windows)
        children.push_back(Describe(AsHandle(child)));
    return children;
}

WindowState WindowAutomation::Describe(intptr_t handle) const
{
    HWND window = AsWindow(handle);
    WindowState state;
    state.handle = handle;
    state.className = ClassOf(window);
    // WM_GETTEXT is answered by the window's own thread: wait no longer than
    // the timeout in case that thread is not pumping messages.
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            static_cast<UINT>(timeout_.count()), &copied))
        state.text.assign(text, static_cast<size_t>(copied));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    state.id = (style & WS_CHILD) ? GetDlgCtrlID(window) : 0;
    state.visible = IsWindowVisible(window) != FALSE;
    state.enabled = IsWindowEnabled(window) != FALSE;
    if (state.className == "Button") {
        DWORD_PTR check = 0;
        if (SendMessageTimeoutA(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout_.count()),
                                &check))
            state.checkState = static_cast<int>(check);
    }
    state.owner = (style & WS_CHILD) ? 0 : AsHandle(GetWindow(window, GW_OWNER));
    return state;
}

intptr_t WindowAutomation::Control(intptr_t dialog, int id) const
{
    return AsHandle(GetDlgItem(AsWindow(dialog), id));
}

intptr_t WindowAutomation::FindChild(intptr_t window, const std::string& className, const std::string& text) const
{
    for (const WindowState& child : Children(window)) {
        if (child.className == className && child.text == text)
            return child.handle;
    }
    return 0;
}

intptr_t WindowAutomation::WaitForWindow(const std::string& className, const std::string& caption) const
{
    intptr_t found = 0;
    PollUntil(
        [&] {
            for (const WindowState& window : TopLevelWindows()) {
                if (window.visible && window.enabled && window.className == className &&
                    (caption.empty() || window.text == caption))
                    found = window.handle;
            }
            return found != 0;
        },
        timeout_, kWindowPollInterval);
    return found;
}

bool WindowAutomation::WaitForClose(intptr_t window) const
{
    return PollUntil([&] { return !IsWindow(AsWindow(window)); }, timeout_, kWindowPollInterval);
}

bool WindowAutomation::WaitUntilPainted(intptr_t window) const
{
    const auto unpainted = [](HWND shown) { return IsWindowVisible(shown) && GetUpdateRect(shown, nullptr, FALSE); };
    return PollUntil(
        [&] {
            const HWND top = AsWindow(window);
            if (!IsWindowVisible(top) || unpainted(top))
                return false;
            for (const WindowState& child : Children(window))
                if (unpainted(AsWindow(child.handle)))
                    return false;
            DWORD_PTR ignored = 0;
            return SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, UINT(timeout_.count()), &ignored) != 0;
        },
        timeout_, kWindowPollInterval);
}

void WindowAutomation::PressButton(intptr_t dialog, int id) const
{
    HWND button = GetDlgItem(AsWindow(dialog), id);
    PostMessageA(AsWindow(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void WindowAutomation::ButtonDown(intptr_t control, int x, int y, MouseButton button) const
{
    const bool left = button == MouseButton::Left;
    PostMessageA(AsWindow(control), left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON,
                 PointParam(x, y));
}

void WindowAutomation::ButtonUp(intptr_t control, int x, int y, MouseButton button) const
{
    PostMessageA(AsWindow(control), button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, PointParam(x, y));
}

void WindowAutomation::Click(intptr_t control, int x, int y, MouseButton button) const
{
    ButtonDown(control, x, y, button);
    ButtonUp(control, x, y, button);
}

void WindowAutomation::MouseMove(intptr_t control, int x, int y, bool leftDown, bool rightDown) const
{
    const WPARAM keys = (leftDown ? MK_LBUTTON : 0) | (rightDown ? MK_RBUTTON : 0);
    PostMessageA(AsWindow(control), WM_MOUSEMOVE, keys, PointParam(x, y));
}

void WindowAutomation::Key(intptr_t window, unsigned virtualKey) const
{
    const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(AsWindow(window), WM_KEYDOWN, virtualKey, 1 | (LPARAM(scan) << 16));
    PostMessageA(AsWindow(window), WM_KEYUP, virtualKey, 1 | (LPARAM(scan) << 16) | (LPARAM(3) << 30));
}

void WindowAutomation::ParkPointer() const
{
    const bool parked = PollUntil(
        [] {
            SetCursorPos(0, 0);
            std::this_thread::sleep_for(kWindowPollInterval);
            POINT pointer{};
            return GetCursorPos(&pointer) && pointer.x == 0 && pointer.y == 0;
        },
        timeout_, kWindowPollInterval);
    if (!parked)
        throw std::runtime_error("the pointer did not move to the screen's corner");
}

AutomationThread::AutomationThread(std::function<void()> script)
    : thread_([this, script = std::move(script)] {
          try {
              script();
          } catch (...) {
              failure_ = std::current_exception();
          }
      })
{
}

AutomationThread::~AutomationThread()
{
    if (thread_.joinable())
        thread_.join();
}

void AutomationThread::Join()
{
    if (thread_.joinable())
        thread_.join();
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

bool WindowAutomation::ClickToolbarButton(intptr_t toolbar, int command) const
{
    const UINT wait = static_cast<UINT>(timeout_.count());
    DWORD_PTR index = 0;
    RECT button{};
    DWORD_PTR found = 0;
    if (!SendMessageTimeoutA(AsWindow(toolbar), TB_COMMANDTOINDEX, WPARAM(command), 0, SMTO_NORMAL, wait, &index) ||
        LONG_PTR(index) < 0 ||
        !SendMessageTimeoutA(AsWindow(toolbar), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button), SMTO_NORMAL,
                             wait, &found) ||
        !found)
        return false;
    Click(toolbar, (button.left + button.right) / 2, (button.top + button.bottom) / 2);
    return true;
}

bool WindowAutomation::AnswerFileDialog(const std::string& caption, const std::string& path) const
{
    const intptr_t dialog = WaitForWindow(kDialogClass, caption);
    if (!dialog)
        return false;
    HWND name = nullptr;
    for (int id : kFileNameControls)
        if (!name)
            name = GetDlgItem(AsWindow(dialog), id);
    DWORD_PTR typed = 0;
    if (!name || !SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL,
                                      static_cast<UINT>(timeout_.count()), &typed))
        return false;
    PressButton(dialog, IDOK);
    return WaitForClose(dialog);
}

} // namespace SquelmHost
