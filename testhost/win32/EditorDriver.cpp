#include "testhost/win32/EditorDriver.h"

#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <thread>

#include "resources/ResourceIds.h"
#include "testhost/win32/WindowAutomation.h"
#include "testhost/scripting/PSPlimImageToClient.h"
#include "ui/HuxPSPreviewLocator.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/PSPlimImageRectProperties.h"
#include "ui/PSPlimPenInput.h"
#include "ui/PSPlimToolChoice.h"

namespace SquelmHost {

namespace {

using Kind = PSPlimScriptCommand::Kind;
using Clock = std::chrono::steady_clock;

constexpr const char* kEditorCaption = "Squelm!";
constexpr const char* kOptionsCaption = "Squelm! Options";
constexpr const char* kLocatorCaption = "Preview Locator";
// What the options dialog's boxes can hold: digits only.
constexpr int kMostTyped = 999;

HWND AsWindow(intptr_t handle) { return reinterpret_cast<HWND>(handle); }

// Carries what the scripted editor models the control to receive.
LPARAM PointParam(POINT point)
{
    const HuxPointI carried = PSPlimMouseMessagePoint({point.x, point.y});
    return MAKELPARAM(static_cast<WORD>(carried.x), static_cast<WORD>(carried.y));
}

// The hand: sends what a user's mouse and keyboard would make the system
// send, one message at a time, each handled before the next.
class Hand {
public:
    Hand(std::chrono::milliseconds timeout, const std::atomic<bool>& runEnded)
        : timeout_(timeout), runEnded_(runEnded), automation_(timeout)
    {
    }

    const WindowAutomation& Automation() const { return automation_; }

    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        DWORD_PTR result = 0;
        const UINT wait = static_cast<UINT>(timeout_.count());
        if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, wait, &result))
            throw std::runtime_error("the editor did not answer message " + std::to_string(message) + " in time");
        return static_cast<LRESULT>(result);
    }

    // The messages carry their own positions. The real pointer is parked in
    // the screen's corner, away from the editor (see Session), so that the
    // system makes no moves of its own over the control in the middle of a
    // gesture: a window closing over the pointer (the options dialog) would
    // otherwise send the control a move to wherever the pointer is.
    void Mouse(HWND window, UINT message, WPARAM keys, POINT client, bool post = false) const
    {
        if (post)
            PostMessageA(window, message, keys, PointParam(client));
        else
            Send(window, message, keys, PointParam(client));
    }

    // A click in the middle of a control; a disabled one takes no clicks.
    void Click(HWND control, bool post = false) const
    {
        if (!IsWindowEnabled(control))
            return;
        RECT client{};
        GetClientRect(control, &client);
        ClickAt(control, {client.right / 2, client.bottom / 2}, post);
    }

    void ClickAt(HWND window, POINT point, bool post = false) const
    {
        Mouse(window, WM_LBUTTONDOWN, MK_LBUTTON, point, post);
        Mouse(window, WM_LBUTTONUP, 0, point, post);
    }

    void KeyDown(HWND window, UINT key) const { Send(window, WM_KEYDOWN, key, KeyParam(key, false)); }
    void KeyUp(HWND window, UINT key) const { Send(window, WM_KEYUP, key, KeyParam(key, true)); }
    void Char(HWND window, char character) const { Send(window, WM_CHAR, static_cast<unsigned char>(character), 1); }

    // The window with the caption once it is shown and enabled; null when
    // the run ends without it.
    HWND WaitForTopLevel(const char* caption) const
    {
        const auto deadline = Clock::now() + timeout_;
        do {
            // Read before the windows, so that a window that opened before
            // the run ended is found.
            const bool ended = runEnded_;
            for (const WindowState& window : automation_.TopLevelWindows())
                if (window.visible && window.enabled && window.text == caption)
                    return AsWindow(window.handle);
            if (ended)
                return nullptr;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (Clock::now() < deadline);
        throw std::runtime_error(std::string("the window \"") + caption + "\" did not appear");
    }

    // A window that must appear while the editor is open.
    HWND Opened(const char* caption) const
    {
        const HWND window = WaitForTopLevel(caption);
        if (!window)
            throw std::runtime_error(std::string("the run ended before the window \"") + caption + "\" appeared");
        return window;
    }

    // Waits until the window's thread has handled everything sent so far
    // and the window has no part left to repaint.
    void Settle(HWND editor, HWND control) const
    {
        const auto deadline = Clock::now() + timeout_;
        Send(editor, WM_NULL);
        while (GetUpdateRect(control, nullptr, FALSE)) {
            if (Clock::now() >= deadline)
                throw std::runtime_error("the grid editor control did not repaint");
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        Send(editor, WM_NULL);
    }

private:
    static LPARAM KeyParam(UINT key, bool up)
    {
        const LPARAM scan = LPARAM(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        return 1 | scan | (up ? LPARAM(3) << 30 : 0);
    }

    std::chrono::milliseconds timeout_;
    const std::atomic<bool>& runEnded_;
    WindowAutomation automation_;
};

// One run of the script on the open editor.
class Session {
public:
    Session(const Hand& hand, const HuxRect& filterRect, HWND editor)
        : hand_(hand), filterRect_(filterRect), editor_(editor), control_(Item(IDC_EDITOR_CONTROL))
    {
    }

    HuxPointI ClientSize() const
    {
        RECT client{};
        GetClientRect(control_, &client);
        return {client.right, client.bottom};
    }

    // False once the command closed the editor.
    bool Play(const PSPlimScriptCommand& command, const EditorDriver::Observer& observer)
    {
        hand_.Settle(editor_, control_);
        if (observer)
            observer(command, reinterpret_cast<intptr_t>(editor_));
        switch (command.kind) {
        case Kind::Tool: ChooseTool(command.button, command.tool); break;
        case Kind::Size: MoveSlider(IDC_TOOL_SIZE, PSPlimNearestSizePosition(command.value)); break;
        case Kind::Power: MoveSlider(IDC_TOOL_POWER, PSPlimNearestPowerPosition(command.value)); break;
        case Kind::Drag: Drag(command); break;
        case Kind::Edge: ClickToolbar(PSPlimEditorCommands::EdgeModeCommand(command.edgeMode)); break;
        case Kind::Grid: SetGridSize(command.first, command.second); break;
        case Kind::Undo: ClickToolbar(ID_EDIT_UNDO_STROKE); break;
        case Kind::Redo: ClickToolbar(ID_EDIT_REDO_STROKE); break;
        case Kind::Preview:
            throw std::runtime_error("line " + std::to_string(command.line) +
                                     ": the real editor's preview has the size of its window");
        case Kind::Zoom: hand_.Click(Item(command.zoomIn ? IDC_ZOOM_IN : IDC_ZOOM_OUT)); break;
        case Kind::Locate: Locate(command.points.front()); break;
        case Kind::Pan: Pan(command); break;
        case Kind::Toggle:
            ClickToolbar(command.display == PSPlimScriptCommand::Display::Grid ? ID_VIEW_TOGGLE_GRID
                                                                               : ID_VIEW_TOOL_RADIUS);
            break;
        case Kind::Pressure:
            if (ToolbarChecked(ID_PEN_PRESSURE) != command.on)
                ClickToolbar(ID_PEN_PRESSURE);
            break;
        case Kind::Ok:
        case Kind::Cancel: hand_.Click(Item(command.kind == Kind::Ok ? IDOK : IDCANCEL)); return false;
        }
        return true;
    }

private:
    HWND Item(int id) const
    {
        const HWND item = GetDlgItem(editor_, id);
        if (!item)
            throw std::runtime_error("the editor has no control " + std::to_string(id));
        return item;
    }

    HuxRect ImageRect() const
    {
        auto read = [&](const char* name) { return int32_t(reinterpret_cast<intptr_t>(GetPropA(control_, name))); };
        return {read(PSPlimImageRectProperties::kLeft), read(PSPlimImageRectProperties::kTop),
                read(PSPlimImageRectProperties::kRight), read(PSPlimImageRectProperties::kBottom)};
    }

    static POINT AsPoint(HuxPointI point) { return {point.x, point.y}; }

    // The tool box's list is stepped with the arrow keys; each step
    // notifies the dialog, the last one with the tool asked for.
    void ChooseTool(PSPlimButton button, PSPlimTool tool)
    {
        const HWND box = Item(button == PSPlimButton::Left ? IDC_LEFT_TOOL : IDC_RIGHT_TOOL);
        const HWND list = FindWindowExA(box, nullptr, "ComboBox", nullptr);
        if (!list)
            throw std::runtime_error("the tool box has no list");
        // Every tool a script names has its row.
        const int wanted = PSPlimToolBoxIndex(int(tool)).value();
        int current = int(hand_.Send(box, CB_GETCURSEL));
        if (current < 0) {
            hand_.KeyDown(list, VK_HOME);
            current = 0;
        }
        for (; current < wanted; ++current)
            hand_.KeyDown(list, VK_DOWN);
        for (; current > wanted; --current)
            hand_.KeyDown(list, VK_UP);
    }

    // Home, then one step right at a time; letting go of the key ends the
    // move, which the dialog hears even when the thumb did not move.
    void MoveSlider(int id, int position)
    {
        const HWND slider = Item(id);
        hand_.KeyDown(slider, VK_HOME);
        for (int step = 0; step < position; ++step)
            hand_.KeyDown(slider, VK_RIGHT);
        hand_.KeyUp(slider, position > 0 ? VK_RIGHT : VK_HOME);
    }

    void Drag(const PSPlimScriptCommand& command)
    {
        const HuxRect imageRect = ImageRect();
        auto client = [&](HuxGeometry::HuxPoint2D image) {
            return AsPoint(PSPlimImageToClient(image, filterRect_, imageRect));
        };
        if (!command.pressures.empty()) {
            PenDrag(command, client);
            return;
        }
        const bool left = command.button == PSPlimButton::Left;
        const WPARAM held = left ? MK_LBUTTON : MK_RBUTTON;
        hand_.Mouse(control_, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, held, client(command.points.front()));
        for (size_t i = 1; i < command.points.size(); ++i)
            hand_.Mouse(control_, WM_MOUSEMOVE, held, client(command.points[i]));
        hand_.Mouse(control_, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, client(command.points.back()));
    }

    // Wine has no pen: the samples a pen's pointer messages would be read
    // into go to the control whole, in its pen-sample message.
    template <class ToClient>
    void PenDrag(const PSPlimScriptCommand& command, const ToClient& client)
    {
        using Phase = PSPlimPenSample::Phase;
        const UINT message = RegisterWindowMessageA(kPSPlimPenSampleMessage);
        auto send = [&](size_t i, Phase phase) {
            const PSPlimPenSample sample = PSPlimPenSampleAt(command, i, phase).value();
            if (!hand_.Send(control_, message, PSPlimPackPenSample(sample), PointParam(client(command.points[i]))))
                throw std::runtime_error("the editor control did not take a pen sample");
        };
        send(0, Phase::Down);
        for (size_t i = 1; i < command.points.size(); ++i)
            send(i, Phase::Update);
        send(command.points.size() - 1, Phase::Up);
    }

    // The mouse travels through the client pixels where the positions were
    // shown at the press.
    void Pan(const PSPlimScriptCommand& command)
    {
        const HuxRect pressLayout = ImageRect();
        auto client = [&](HuxGeometry::HuxPoint2D image) {
            return AsPoint(PSPlimImageToClient(image, filterRect_, pressLayout));
        };
        hand_.Mouse(control_, WM_MBUTTONDOWN, MK_MBUTTON, client(command.points.front()));
        for (size_t i = 1; i < command.points.size(); ++i)
            hand_.Mouse(control_, WM_MOUSEMOVE, MK_MBUTTON, client(command.points[i]));
        hand_.Mouse(control_, WM_MBUTTONUP, 0, client(command.points.back()));
    }

    bool ToolbarChecked(int command) const
    {
        return (hand_.Send(Item(IDC_EDITOR_TOOLBAR), TB_GETSTATE, WPARAM(command)) & TBSTATE_CHECKED) != 0;
    }

    // post: the command opens a modal dialog, so the click must not wait
    // for its handler to return.
    void ClickToolbar(int command, bool post = false)
    {
        const HWND toolbar = Item(IDC_EDITOR_TOOLBAR);
        const LRESULT index = hand_.Send(toolbar, TB_COMMANDTOINDEX, WPARAM(command));
        RECT button{};
        if (index < 0 || !hand_.Send(toolbar, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&button)))
            throw std::runtime_error("the toolbar has no button " + std::to_string(command));
        const POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        hand_.Mouse(toolbar, WM_MOUSEMOVE, 0, middle);
        hand_.ClickAt(toolbar, middle, post);
    }

    // The options dialog: both boxes retyped, then OK.
    void SetGridSize(int across, int down)
    {
        ClickToolbar(ID_EDIT_OPTIONS, true);
        const HWND options = hand_.Opened(kOptionsCaption);
        Retype(GetDlgItem(options, IDC_POINTS_ACROSS), across);
        Retype(GetDlgItem(options, IDC_POINTS_DOWN), down);
        hand_.Click(GetDlgItem(options, IDOK));
        if (!hand_.Automation().WaitForClose(reinterpret_cast<intptr_t>(options)))
            throw std::runtime_error("the options dialog did not close");
    }

    void Retype(HWND box, int value)
    {
        if (!box)
            throw std::runtime_error("the options dialog has no point box");
        hand_.Send(box, EM_SETSEL, 0, -1);
        for (char digit : std::to_string(std::clamp(value, 0, kMostTyped)))
            hand_.Char(box, digit);
    }

    // A press on the locator opens its popup; the drag goes on in the
    // popup, which has the mouse, and the release sets the view.
    void Locate(HuxGeometry::HuxPoint2D position)
    {
        const HWND button = Item(IDC_ZOOM_LOCATOR);
        if (!IsWindowEnabled(button))
            return;
        RECT client{};
        GetClientRect(button, &client);
        hand_.Mouse(button, WM_LBUTTONDOWN, MK_LBUTTON, {client.right / 2, client.bottom / 2});
        const HWND popup = hand_.Opened(kLocatorCaption);
        RECT popupClient{};
        GetClientRect(popup, &popupClient);
        const POINT cursor = AsPoint(PSPlimImageToLocator(
            position, filterRect_, {popupClient.left, popupClient.top, popupClient.right, popupClient.bottom}));
        hand_.Mouse(popup, WM_MOUSEMOVE, MK_LBUTTON, cursor);
        hand_.Mouse(popup, WM_LBUTTONUP, 0, cursor);
        if (!hand_.Automation().WaitForClose(reinterpret_cast<intptr_t>(popup)))
            throw std::runtime_error("the locator's popup did not close");
        // The popup put the pointer on its frame.
        hand_.Automation().ParkPointer();
    }

    const Hand& hand_;
    HuxRect filterRect_;
    HWND editor_;
    HWND control_;
};

} // namespace

EditorDriver::EditorDriver(PSPlimStrokeScript script, const HuxRect& filterRect, std::chrono::milliseconds timeout)
    : script_(std::move(script)), filterRect_(filterRect), timeout_(timeout)
{
}

void EditorDriver::Play()
{
    const Hand hand(timeout_, runEnded_);
    const HWND editor = hand.WaitForTopLevel(kEditorCaption);
    if (!editor)
        return;
    editorOpened_ = true;
    hand.Automation().ParkPointer();
    Session session(hand, filterRect_, editor);
    previewSize_ = session.ClientSize();
    bool open = true;
    for (const PSPlimScriptCommand& command : script_.Commands()) {
        open = session.Play(command, observer_);
        if (!open)
            break;
    }
    // The end of the script is an OK.
    if (open)
        session.Play(PSPlimScriptCommand{}, observer_);
    if (!hand.Automation().WaitForClose(reinterpret_cast<intptr_t>(editor)))
        throw std::runtime_error("the editor did not close");
}

} // namespace SquelmHost
