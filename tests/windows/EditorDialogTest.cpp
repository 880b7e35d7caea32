// The editor dialog of the real Squelm.8bf, opened by the test host's Start
// call on this thread and used from a second thread through its own
// controls: what it shows on opening, strokes, tooltips, the grid toggle,
// the sliders, where it opens, resizing and the placement it remembers, and
// how OK and Cancel end the run.
#include <gtest/gtest.h>

#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <functional>
#include <memory>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "testhost/PollUntil.h"
#include "PluginFile.h"
#include "RememberedEditorSettings.h"
#include "effect/PSPlimVersionText.h"
#include "HuxLib/HUXWIN/HuxDpiScaling.h"
#include "host/HuxPSZoom.h"
#include "resources/ResourceIds.h"
#include "support/ParametersRecord.h"
#include "testhost/OwnerWindow.h"
#include "testhost/TestHost.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"
#include "testhost/win32/WindowCapture.h"

namespace {

using SquelmHost::AutomationThread;
using SquelmHost::RgbImage;
using SquelmHost::RunResult;
using SquelmHost::TestHost;
using SquelmHost::WindowAutomation;

constexpr const char* kCaption = "Squelm!";
constexpr UINT kAnswerTimeoutMs = 20000;
// The default grid and tool circle colours (COLORREFs 200 and 0xC80000).
constexpr uint8_t kGridRed = 200;
constexpr uint8_t kToolCircleBlue = 200;

HWND AsWindow(intptr_t handle) { return reinterpret_cast<HWND>(handle); }

// 160 x 120, smooth everywhere and nowhere the grid's pure red or the tool
// circle's pure blue: a warp moves pixels that differ, and lines drawn over
// it stand out.
RgbImage Picture()
{
    RgbImage image(160, 120);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.Set(x, y, uint8_t(x), uint8_t(60 + y), uint8_t(100 + (x + y) / 4));
    return image;
}

int PixelsOf(const RgbImage& shot, uint8_t red, uint8_t green, uint8_t blue)
{
    int count = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const uint8_t* pixel = shot.At(x, y);
            count += pixel[0] == red && pixel[1] == green && pixel[2] == blue;
        }
    return count;
}

int GridPixels(const RgbImage& shot) { return PixelsOf(shot, kGridRed, 0, 0); }
int ToolCirclePixels(const RgbImage& shot) { return PixelsOf(shot, 0, 0, kToolCircleBlue); }

// The middle of the shot shows the picture, not a blank control.
bool ShowsPicture(const RgbImage& shot)
{
    if (shot.Empty())
        return false;
    const uint8_t* middle = shot.At(shot.width / 2, shot.height / 2);
    return middle[1] > middle[0] + 20;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

RECT ClientRectOf(HWND window)
{
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// The dialog's visible controls in its client coordinates.
std::vector<std::pair<int, RECT>> VisibleControls(HWND dialog)
{
    std::vector<std::pair<int, RECT>> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT rect = WindowRect(child);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        controls.emplace_back(GetDlgCtrlID(child), rect);
    }
    return controls;
}

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The open editor as a user's hand reaches it. Every message waits until
// the editor's thread has handled it.
class Editor {
public:
    explicit Editor(HWND dialog) : dialog_(dialog) {}

    HWND Window() const { return dialog_; }

    HWND Item(int id) const
    {
        const HWND item = GetDlgItem(dialog_, id);
        if (!item)
            throw std::runtime_error("the editor has no control " + std::to_string(id));
        return item;
    }

    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs, &result))
            throw std::runtime_error("the editor did not answer message " + std::to_string(message));
        return static_cast<LRESULT>(result);
    }

    // ---- Reading ----------------------------------------------------------
    std::string Text(HWND window) const
    {
        char text[256] = {};
        Send(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }

    std::string SelectedTool(int boxId) const
    {
        const HWND box = Item(boxId);
        char text[64] = {};
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT;
        item.iItem = Send(box, CB_GETCURSEL);
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (item.iItem < 0 || !Send(box, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return {};
        return text;
    }

    int SliderPosition(int id) const { return int(Send(Item(id), TBM_GETPOS)); }

    LRESULT ButtonState(int command) const
    {
        const LRESULT state = Send(Item(IDC_EDITOR_TOOLBAR), TB_GETSTATE, WPARAM(command));
        if (state < 0)
            throw std::runtime_error("the toolbar has no button " + std::to_string(command));
        return state;
    }
    bool ButtonEnabled(int command) const { return ButtonState(command) & TBSTATE_ENABLED; }
    bool ButtonChecked(int command) const { return ButtonState(command) & TBSTATE_CHECKED; }

    // What the toolbar's own tooltip shows for the button: the tooltip asks
    // the toolbar, which asks the dialog.
    std::string ButtonTip(int command) const
    {
        const HWND toolbar = Item(IDC_EDITOR_TOOLBAR);
        return TipText(reinterpret_cast<HWND>(Send(toolbar, TB_GETTOOLTIPS)), toolbar, UINT_PTR(command));
    }

    // What the dialog's tooltip shows for one of its controls.
    std::string ControlTip(int id) const
    {
        const HWND control = Item(id);
        const UINT_PTR tool = reinterpret_cast<UINT_PTR>(control);
        const WindowAutomation automation;
        for (const SquelmHost::WindowState& window : automation.TopLevelWindows()) {
            const HWND tips = AsWindow(window.handle);
            if (window.className != TOOLTIPS_CLASSA || GetWindow(tips, GW_OWNER) != dialog_)
                continue;
            TTTOOLINFOA info{};
            info.cbSize = sizeof info;
            info.hwnd = dialog_;
            info.uId = tool;
            if (Send(tips, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info)))
                return TipText(tips, dialog_, tool);
        }
        throw std::runtime_error("no tooltip knows control " + std::to_string(id));
    }

    // The editor control on the screen once the editor has painted it.
    RgbImage ControlShot() const
    {
        const HWND control = Item(IDC_EDITOR_CONTROL);
        Send(dialog_, WM_NULL);
        SquelmHost::PollUntil([&] { return !GetUpdateRect(control, nullptr, FALSE); }, SquelmHost::kPollTimeout,
                              std::chrono::milliseconds(20));
        Send(dialog_, WM_NULL);
        return SquelmHost::CaptureWindow(reinterpret_cast<intptr_t>(control));
    }

    // The control once the shot is `wanted`, or as it is after a few
    // seconds of waiting for that.
    RgbImage ControlShotOnce(const std::function<bool(const RgbImage&)>& wanted) const
    {
        RgbImage shot;
        SquelmHost::PollUntil([&] {
            shot = ControlShot();
            return wanted(shot);
        });
        return shot;
    }

    // ---- Acting -----------------------------------------------------------
    // The real pointer clear of the editor, which opened centred (the
    // editor control draws the tool circle where the pointer is).
    void ParkPointer() const
    {
        WindowAutomation().ParkPointer();
        Send(dialog_, WM_NULL);
    }

    void ClickToolbar(int command) const
    {
        const HWND toolbar = Item(IDC_EDITOR_TOOLBAR);
        RECT button{};
        const LRESULT index = Send(toolbar, TB_COMMANDTOINDEX, WPARAM(command));
        if (index < 0 || !Send(toolbar, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&button)))
            throw std::runtime_error("the toolbar has no button " + std::to_string(command));
        const LPARAM middle = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        Send(toolbar, WM_MOUSEMOVE, 0, middle);
        Send(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        Send(toolbar, WM_LBUTTONUP, 0, middle);
    }

    void ClickButton(int id) const
    {
        const HWND button = Item(id);
        RECT client{};
        GetClientRect(button, &client);
        const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
        Send(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        Send(button, WM_LBUTTONUP, 0, middle);
    }

    // A left-button drag on the editor control from its middle, `dx`
    // pixels to the right in `steps` moves; 0 is a click.
    void Stroke(int dx, int steps) const
    {
        const HWND control = Item(IDC_EDITOR_CONTROL);
        RECT client{};
        GetClientRect(control, &client);
        const int x = client.right / 2 - dx / 2, y = client.bottom / 2;
        Send(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (int step = 1; step <= steps; ++step)
            Send(control, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx * step / steps, y));
        Send(control, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
    }

    // The next tool in the left box, as the down arrow in its list picks it.
    void NextLeftTool() const
    {
        const HWND list = FindWindowExA(Item(IDC_LEFT_TOOL), nullptr, "ComboBox", nullptr);
        if (!list)
            throw std::runtime_error("the tool box has no list");
        Send(list, WM_KEYDOWN, VK_DOWN, 1);
    }

    // The slider's thumb taken by the mouse, moved `dx` pixels, `held` run
    // while the button is still down, and let go.
    void DragThumb(int sliderId, int dx, const std::function<void()>& held) const
    {
        const HWND slider = Item(sliderId);
        RECT thumb{};
        Send(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
        Send(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Send(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, y));
        Send(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y));
        held();
        Send(slider, WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y));
    }

    // A key as the keyboard delivers it: into the editor's queue, where the
    // dialog manager sees it before the control does.
    void PostKey(int id, UINT key) const
    {
        const HWND control = Item(id);
        Send(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        const LPARAM scan = LPARAM(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageA(control, WM_KEYDOWN, key, 1 | scan);
        PostMessageA(control, WM_KEYUP, key, 1 | scan | LPARAM(3) << 30);
    }

    // Ctrl (with Shift when asked) held while `key` goes down and up, until
    // `done` holds: the keyboard's state is the thread's input state, so the
    // test shares the editor thread's and sets it as the keyboard would.
    bool ChordUntil(UINT key, bool shift, const std::function<bool()>& done) const
    {
        const DWORD own = GetCurrentThreadId(), editor = GetWindowThreadProcessId(dialog_, nullptr);
        AttachThreadInput(own, editor, TRUE);
        BYTE saved[256] = {}, held[256] = {};
        GetKeyboardState(saved);
        std::copy(std::begin(saved), std::end(saved), held);
        held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
        if (shift)
            held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
        SetKeyboardState(held);
        PostKey(IDC_EDITOR_CONTROL, key);
        const bool answered = SquelmHost::PollUntil(done);
        SetKeyboardState(saved);
        AttachThreadInput(own, editor, FALSE);
        return answered;
    }

    // Messages into the editor control's queue, in order, as the mouse and
    // keyboard put them there.
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    void PostToControl(std::initializer_list<Posted> messages) const
    {
        const HWND control = Item(IDC_EDITOR_CONTROL);
        for (const Posted& m : messages)
            PostMessageA(control, m.message, m.wParam, m.lParam);
    }

    // One press and release of the key on the slider.
    void PressKey(int sliderId, UINT key) const
    {
        const HWND slider = Item(sliderId);
        const LPARAM scan = LPARAM(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        Send(slider, WM_KEYDOWN, key, 1 | scan);
        Send(slider, WM_KEYUP, key, 1 | scan | LPARAM(3) << 30);
    }

private:
    std::string TipText(HWND tips, HWND owner, UINT_PTR tool) const
    {
        char text[160] = {};
        TTTOOLINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.uId = tool;
        info.lpszText = text;
        Send(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }

    HWND dialog_;
};

using Script = std::function<void(const Editor&)>;

class EditorDialog : public testing::Test {
protected:
    static void SetUpTestSuite() { entry_ = SquelmHost::LoadPluginModule(PluginFile()).entry; }

    void SetUp() override
    {
        RememberedEditorSettings::Forget();
        ASSERT_NE(entry_, nullptr);
        host_ = std::make_unique<TestHost>(entry_);
        host_->SetImage(Picture());
    }

    // One filter run whose editor the script uses and must end; a script
    // that fails closes the editor before its failure is reported.
    RunResult Run(const Script& script)
    {
        AutomationThread user([&script] {
            const WindowAutomation automation;
            const intptr_t window = automation.WaitForWindow(WindowAutomation::kDialogClass, kCaption);
            if (!window)
                throw std::runtime_error("the editor did not open");
            try {
                const Editor editor(AsWindow(window));
                editor.ParkPointer();
                script(editor);
            } catch (...) {
                PostMessageA(AsWindow(window), WM_CLOSE, 0, 0);
                throw;
            }
            if (!automation.WaitForClose(window)) {
                PostMessageA(AsWindow(window), WM_CLOSE, 0, 0);
                throw std::runtime_error("the script left the editor open");
            }
        });
        const RunResult result = host_->RunFilter();
        user.Join();
        return result;
    }

    void TearDown() override { RememberedEditorSettings::Forget(); }

    static PS::PluginEntry entry_;
    std::unique_ptr<TestHost> host_;
};

PS::PluginEntry EditorDialog::entry_ = nullptr;

void ExpectCancelled(const RunResult& result)
{
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
}

// ---- Opening ---------------------------------------------------------------------

TEST_F(EditorDialog, OpensWithTheDefaultToolsSlidersButtonsAndStatus)
{
    const RunResult result = Run([](const Editor& editor) {
        EXPECT_EQ(editor.Text(editor.Window()), "Squelm!");
        EXPECT_EQ(editor.SelectedTool(IDC_LEFT_TOOL), "Squelm");
        EXPECT_EQ(editor.SelectedTool(IDC_RIGHT_TOOL), "Mellow");
        EXPECT_EQ(editor.SliderPosition(IDC_TOOL_SIZE), 37);
        EXPECT_EQ(editor.SliderPosition(IDC_TOOL_POWER), 15);

        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_UNDO_STROKE));
        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_REDO_STROKE));
        EXPECT_TRUE(editor.ButtonEnabled(ID_EDIT_OPTIONS));
        EXPECT_TRUE(editor.ButtonChecked(ID_EDGE_FIXED));
        EXPECT_FALSE(editor.ButtonChecked(ID_EDGE_LOCKED));
        EXPECT_FALSE(editor.ButtonChecked(ID_EDGE_FREE));
        EXPECT_FALSE(editor.ButtonChecked(ID_VIEW_TOGGLE_GRID));
        EXPECT_TRUE(editor.ButtonChecked(ID_VIEW_TOOL_RADIUS));

        // The whole picture fits: only zooming in is possible.
        EXPECT_TRUE(IsWindowEnabled(editor.Item(IDC_ZOOM_IN)));
        EXPECT_FALSE(IsWindowEnabled(editor.Item(IDC_ZOOM_OUT)));
        EXPECT_FALSE(IsWindowEnabled(editor.Item(IDC_ZOOM_LOCATOR)));

        const HWND status = editor.Item(IDC_STATUS_LABEL);
        EXPECT_FALSE(IsWindowVisible(status));
        EXPECT_EQ(editor.Text(status), PSPlimBuildLabel());
        editor.ClickButton(IDCANCEL);
    });
    ExpectCancelled(result);
}

// ---- Strokes -------------------------------------------------------------------------

TEST_F(EditorDialog, AStrokeEnablesUndoAndLeavesItsTimingLineButAClickDoesNeither)
{
    Run([](const Editor& editor) {
        const HWND status = editor.Item(IDC_STATUS_LABEL);
        editor.Stroke(0, 0);
        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_UNDO_STROKE));
        EXPECT_EQ(editor.Text(status), PSPlimBuildLabel());

        editor.Stroke(80, 8);
        EXPECT_TRUE(editor.ButtonEnabled(ID_EDIT_UNDO_STROKE));
        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_REDO_STROKE));
        const std::string line = editor.Text(status);
        EXPECT_TRUE(std::regex_match(line, std::regex(R"(Update took \d+ms\. Invert \d+/\d+ \([0-9.e+-]+\))")))
            << line;
        EXPECT_FALSE(IsWindowVisible(status));
        editor.ClickButton(IDCANCEL);
    });
}

TEST_F(EditorDialog, OkAppliesTheWarpCancelLeavesTheImageAndEitherLetsTheNextRunWork)
{
    const RunResult cancelled = Run([](const Editor& editor) {
        editor.Stroke(80, 8);
        editor.ClickButton(IDCANCEL);
    });
    ExpectCancelled(cancelled);
    EXPECT_EQ(host_->Image().pixels, Picture().pixels);

    const RunResult applied = Run([](const Editor& editor) {
        editor.Stroke(80, 8);
        editor.ClickButton(IDOK);
    });
    EXPECT_TRUE(applied.Succeeded()) << applied.result << " " << applied.hostError;
    EXPECT_TRUE(applied.finishCalled);
    const RgbImage warped = host_->Image();
    EXPECT_NE(warped.pixels, Picture().pixels);

    const RunResult cancelledAgain = Run([](const Editor& editor) {
        editor.Stroke(-80, 8);
        editor.ClickButton(IDCANCEL);
    });
    ExpectCancelled(cancelledAgain);
    EXPECT_EQ(host_->Image().pixels, warped.pixels);
}

TEST_F(EditorDialog, EnterEndsTheEditorWithOkAndEscapeWithCancel)
{
    const RunResult cancelled = Run([](const Editor& editor) {
        editor.Stroke(80, 8);
        editor.PostKey(IDC_TOOL_SIZE, VK_ESCAPE);
    });
    ExpectCancelled(cancelled);
    EXPECT_EQ(host_->Image().pixels, Picture().pixels);

    const RunResult applied = Run([](const Editor& editor) {
        editor.Stroke(80, 8);
        editor.PostKey(IDC_TOOL_SIZE, VK_RETURN);
    });
    EXPECT_TRUE(applied.Succeeded()) << applied.result << " " << applied.hostError;
    EXPECT_NE(host_->Image().pixels, Picture().pixels);
}

// ---- Tooltips --------------------------------------------------------------------------

TEST_F(EditorDialog, TooltipsNameTheToolbarButtonsAndTheZoomButtons)
{
    Run([](const Editor& editor) {
        EXPECT_EQ(editor.ButtonTip(ID_EDIT_UNDO_STROKE), "Undo Stroke (Ctrl+Z)");
        EXPECT_EQ(editor.ButtonTip(ID_EDIT_OPTIONS), "Options");
        EXPECT_EQ(editor.ButtonTip(ID_PEN_PRESSURE), "Pressure Controls Power");
        EXPECT_EQ(editor.ControlTip(IDC_ZOOM_IN), "Zoom In (Ctrl+=)");
        EXPECT_EQ(editor.ControlTip(IDC_ZOOM_LOCATOR), "Zoom Locator");
        // Controls without a command string have no tooltip.
        EXPECT_EQ(editor.ControlTip(IDOK), "");
        editor.ClickButton(IDCANCEL);
    });
}

// ---- Grid toggle -----------------------------------------------------------------------

TEST_F(EditorDialog, ToggleGridDrawsTheGridAtOnceButChecksItsButtonOnlyAtTheNextRefresh)
{
    Run([](const Editor& editor) {
        const RgbImage before = editor.ControlShotOnce(ShowsPicture);
        EXPECT_TRUE(ShowsPicture(before)) << "the editor control never showed the picture";
        EXPECT_EQ(GridPixels(before), 0);

        editor.ClickToolbar(ID_VIEW_TOGGLE_GRID);
        const RgbImage after = editor.ControlShotOnce([](const RgbImage& shot) { return GridPixels(shot) > 0; });
        EXPECT_GT(GridPixels(after), 0) << "no grid drawn";
        EXPECT_FALSE(editor.ButtonChecked(ID_VIEW_TOGGLE_GRID));

        editor.NextLeftTool();
        EXPECT_EQ(editor.SelectedTool(IDC_LEFT_TOOL), "Boggle");
        EXPECT_TRUE(editor.ButtonChecked(ID_VIEW_TOGGLE_GRID));
        editor.ClickButton(IDCANCEL);
    });
}

// The toggle's state is the user's, kept from run to run whether the run
// ends with OK or Cancel.
TEST_F(EditorDialog, PressureControlsPowerIsOffAtFirstAndReopensAsItWasLeft)
{
    const std::pair<bool, int> runs[] = {{false, IDCANCEL}, {true, IDOK}, {false, IDCANCEL}};
    for (const auto& [opensChecked, closing] : runs) {
        Run([&](const Editor& editor) {
            EXPECT_EQ(editor.ButtonChecked(ID_PEN_PRESSURE), opensChecked);
            editor.ClickToolbar(ID_PEN_PRESSURE);
            EXPECT_NE(editor.ButtonChecked(ID_PEN_PRESSURE), opensChecked);
            editor.ClickButton(closing);
        });
    }
}

// ---- Sliders ---------------------------------------------------------------------------

TEST_F(EditorDialog, SlidersWriteBothSizeAndPowerFromTheirPositions)
{
    // The size thumb dragged past the channel's end, with the pointer away
    // from the editor: the tool circle shows in its middle only during the
    // drag. Both values are rewritten, the power from its untouched slider
    // (15).
    const RunResult sized = Run([](const Editor& editor) {
        RECT client{};
        GetClientRect(editor.Item(IDC_TOOL_SIZE), &client);
        const auto noCircle = [](const RgbImage& shot) { return ShowsPicture(shot) && ToolCirclePixels(shot) == 0; };
        const auto circle = [](const RgbImage& shot) { return ToolCirclePixels(shot) > 0; };
        EXPECT_TRUE(noCircle(editor.ControlShotOnce(noCircle))) << "a tool circle before the drag";
        editor.DragThumb(IDC_TOOL_SIZE, client.right, [&] {
            EXPECT_TRUE(circle(editor.ControlShotOnce(circle))) << "no tool circle during the drag";
        });
        EXPECT_EQ(editor.SliderPosition(IDC_TOOL_SIZE), 100);
        EXPECT_TRUE(noCircle(editor.ControlShotOnce(noCircle))) << "the tool circle stayed after the drag";
        editor.ClickButton(IDOK);
    });
    ASSERT_TRUE(sized.Succeeded()) << sized.result;
    PSPlimParameters params = ParametersOf(*host_);
    EXPECT_DOUBLE_EQ(params.toolSize, 0.25);
    EXPECT_DOUBLE_EQ(params.toolPower, 0.1925);

    // One step of the power slider: the default size 0.1 lies between two
    // slider steps and becomes that of position 37.
    host_->DiscardParameters();
    const RunResult powered = Run([](const Editor& editor) {
        editor.PressKey(IDC_TOOL_POWER, VK_RIGHT);
        EXPECT_EQ(editor.SliderPosition(IDC_TOOL_POWER), 16);
        editor.ClickButton(IDOK);
    });
    ASSERT_TRUE(powered.Succeeded()) << powered.result;
    params = ParametersOf(*host_);
    EXPECT_DOUBLE_EQ(params.toolSize, 0.0988);
    EXPECT_DOUBLE_EQ(params.toolPower, 0.202);
}

TEST_F(EditorDialog, SlidersReopenWhereTheyWereLeft)
{
    // Sizes 6 and powers 24 are steps whose values a plain truncation
    // would put one step lower.
    const RunResult set = Run([](const Editor& editor) {
        editor.PressKey(IDC_TOOL_SIZE, VK_HOME);
        editor.PressKey(IDC_TOOL_POWER, VK_HOME);
        for (int step = 0; step < 24; ++step) {
            if (step < 6)
                editor.PressKey(IDC_TOOL_SIZE, VK_RIGHT);
            editor.PressKey(IDC_TOOL_POWER, VK_RIGHT);
        }
        editor.ClickButton(IDOK);
    });
    ASSERT_TRUE(set.Succeeded()) << set.result;
    int size = -1, power = -1;
    Run([&](const Editor& editor) {
        size = editor.SliderPosition(IDC_TOOL_SIZE);
        power = editor.SliderPosition(IDC_TOOL_POWER);
        editor.ClickButton(IDCANCEL);
    });
    EXPECT_EQ(size, 6);
    EXPECT_EQ(power, 24);
}

// ---- Placement ---------------------------------------------------------------------------

TEST_F(EditorDialog, OpensCentredOnAShownOwnerAndOnScreenWithoutOneOrWithItMinimised)
{
    SquelmHost::OwnerWindow owner;
    const HWND ownerWindow = AsWindow(owner.Handle());
    MoveWindow(ownerWindow, 200, 150, 900, 760, FALSE);
    ShowWindow(ownerWindow, SW_SHOWNOACTIVATE);
    host_->Options().ownerWindow = owner.Handle();
    Run([&](const Editor& editor) {
        EXPECT_EQ(GetWindow(editor.Window(), GW_OWNER), ownerWindow);
        const RECT dialog = WindowRect(editor.Window());
        const RECT host = WindowRect(ownerWindow);
        EXPECT_LE(std::abs((dialog.left + dialog.right) - (host.left + host.right)), 2);
        EXPECT_LE(std::abs((dialog.top + dialog.bottom) - (host.top + host.bottom)), 2);
        editor.ClickButton(IDCANCEL);
    });

    host_->Options().ownerWindow = 0;
    Run([&](const Editor& editor) {
        EXPECT_EQ(GetWindow(editor.Window(), GW_OWNER), nullptr);
        EXPECT_TRUE(Inside(WindowRect(editor.Window()), WorkArea()));
        editor.ClickButton(IDCANCEL);
    });

    ShowWindow(ownerWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(ownerWindow));
    host_->Options().ownerWindow = owner.Handle();
    Run([&](const Editor& editor) {
        EXPECT_EQ(GetWindow(editor.Window(), GW_OWNER), ownerWindow);
        EXPECT_TRUE(Inside(WindowRect(editor.Window()), WorkArea()));
        editor.ClickButton(IDCANCEL);
    });
}

// ---- Resizing -------------------------------------------------------------------------

// Every control inside the client area, none over another, and the zoom
// levels of a preview of the control's size.
void ExpectLaidOut(const Editor& editor, const char* what)
{
    SCOPED_TRACE(what);
    const RECT client = ClientRectOf(editor.Window());
    const std::vector<std::pair<int, RECT>> controls = VisibleControls(editor.Window());
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(Inside(controls[i].second, client)) << "control " << controls[i].first;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &controls[i].second, &controls[j].second))
                << "controls " << controls[i].first << " and " << controls[j].first;
        }
    }
    // The zoom steps from the fit level to the closest (7:1) are those of
    // a preview of the control's client size.
    const RECT area = ClientRectOf(editor.Item(IDC_EDITOR_CONTROL));
    const int fit = std::max(HuxPSAxisFitLevel(160, area.right), HuxPSAxisFitLevel(120, area.bottom));
    EXPECT_FALSE(IsWindowEnabled(editor.Item(IDC_ZOOM_OUT)));
    int steps = 0;
    for (; IsWindowEnabled(editor.Item(IDC_ZOOM_IN)) && steps < 10; ++steps)
        editor.ClickButton(IDC_ZOOM_IN);
    EXPECT_EQ(steps, fit - HuxPSClosestLevel(fit));
    while (IsWindowEnabled(editor.Item(IDC_ZOOM_OUT)))
        editor.ClickButton(IDC_ZOOM_OUT);
}

// At each size and maximised, at the resolution the test runs at (the
// gui_144dpi run repeats it at 144 dpi).
TEST_F(EditorDialog, ResizedOrMaximisedItKeepsEveryControlApartAndThePreviewTakesTheControlsSize)
{
    Run([](const Editor& editor) {
        const RECT opened = WindowRect(editor.Window());
        const int width = opened.right - opened.left, height = opened.bottom - opened.top;
        const SIZE sizes[] = {{width + 400, height + 250}, {width, height + 300}, {width / 2, height / 2}};
        // The system's largest window, unless the smallest editor is larger.
        const LONG widest = GetSystemMetrics(SM_CXMAXTRACK), highest = GetSystemMetrics(SM_CYMAXTRACK);
        ExpectLaidOut(editor, "as opened");
        for (const SIZE& size : sizes) {
            SetWindowPos(editor.Window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            const RECT now = WindowRect(editor.Window());
            EXPECT_EQ(now.right - now.left, std::max(std::min(size.cx, widest), LONG(width)));
            EXPECT_EQ(now.bottom - now.top, std::max(std::min(size.cy, highest), LONG(height)));
            ExpectLaidOut(editor, std::to_string(size.cx).c_str());
        }
        editor.Send(editor.Window(), WM_SYSCOMMAND, SC_MAXIMIZE);
        EXPECT_TRUE(IsZoomed(editor.Window()));
        ExpectLaidOut(editor, "maximised");
        editor.ClickButton(IDCANCEL);
    });
}

// ---- Resolution ------------------------------------------------------------------------

// The size of the toolbar's button images.
SIZE ToolbarImageSize(const Editor& editor)
{
    const auto images = reinterpret_cast<HIMAGELIST>(editor.Send(editor.Item(IDC_EDITOR_TOOLBAR), TB_GETIMAGELIST));
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    return {width, height};
}

// Opened at the screen's resolution with the art drawn for it; told of a
// move to a monitor of two thirds that resolution (Wine has one resolution
// for every monitor, so the message is sent as the system would send it;
// a smaller one, as a larger editor would not fit the virtual screen), it
// takes the suggested rectangle with that monitor's art and a layout that
// still holds (at 144 dpi from 150 % art to 100 %), and back at its first
// resolution every control is where it was.
TEST_F(EditorDialog, LaysItselfOutForItsMonitorsResolutionAndAgainWhenThatChanges)
{
    // The host's thread unaware, as a host that declares nothing (Wine
    // then shows its windows at 96 dpi); the editor per-monitor aware all
    // the same (Wine 8 refuses version 2 per thread and takes version 1).
    const DPI_AWARENESS_CONTEXT hostContext = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
    Run([](const Editor& editor) {
        EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(editor.Window())),
                  DPI_AWARENESS_PER_MONITOR_AWARE);
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        const auto toolbarArt = [](int at) {
            const HuxPointI size = HuxArtSize({16, 15}, HuxArtScaleFor(at));
            return SIZE{size.x, size.y};
        };
        EXPECT_EQ(int(GetDpiForWindow(editor.Window())), dpi);
        SIZE images = ToolbarImageSize(editor);
        EXPECT_EQ(images.cx, toolbarArt(dpi).cx);
        EXPECT_EQ(images.cy, toolbarArt(dpi).cy);
        const RECT opened = WindowRect(editor.Window());
        const std::vector<std::pair<int, RECT>> controls = VisibleControls(editor.Window());

        // The suggestion has room to spare: Wine keeps the frame at the
        // screen's resolution, so the scaled window would be too small.
        const int other = dpi * 2 / 3, spare = 60;
        const RECT suggested{opened.left, opened.top, opened.left + (opened.right - opened.left) * 2 / 3 + spare,
                             opened.top + (opened.bottom - opened.top) * 2 / 3 + spare};
        editor.Send(editor.Window(), WM_DPICHANGED, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
        const RECT moved = WindowRect(editor.Window());
        EXPECT_TRUE(EqualRect(&moved, &suggested));
        images = ToolbarImageSize(editor);
        EXPECT_EQ(images.cx, toolbarArt(other).cx);
        EXPECT_EQ(images.cy, toolbarArt(other).cy);
        ExpectLaidOut(editor, "at two thirds");

        editor.Send(editor.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&opened));
        images = ToolbarImageSize(editor);
        EXPECT_EQ(images.cx, toolbarArt(dpi).cx);
        const std::vector<std::pair<int, RECT>> back = VisibleControls(editor.Window());
        ASSERT_EQ(back.size(), controls.size());
        for (size_t i = 0; i < back.size(); ++i) {
            EXPECT_EQ(back[i].first, controls[i].first);
            EXPECT_TRUE(EqualRect(&back[i].second, &controls[i].second)) << "control " << back[i].first;
        }
        editor.ClickButton(IDCANCEL);
    });
    EXPECT_TRUE(AreDpiAwarenessContextsEqual(GetThreadDpiAwarenessContext(), DPI_AWARENESS_CONTEXT_UNAWARE));
    SetThreadDpiAwarenessContext(hostContext);
}

// ---- Remembered placement -------------------------------------------------------------------

TEST_F(EditorDialog, ReopensWhereItWasLeftMaximisedOrNotAndOnScreenWhenThatPlaceIsGone)
{
    const RECT placed{60, 50, 960, 750};
    Run([&](const Editor& editor) {
        MoveWindow(editor.Window(), placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                   TRUE);
        editor.ClickButton(IDCANCEL);
    });
    Run([&](const Editor& editor) {
        const RECT reopened = WindowRect(editor.Window());
        EXPECT_TRUE(EqualRect(&placed, &reopened));
        editor.Send(editor.Window(), WM_SYSCOMMAND, SC_MAXIMIZE);
        editor.ClickButton(IDCANCEL);
    });
    Run([&](const Editor& editor) {
        EXPECT_TRUE(IsZoomed(editor.Window()));
        editor.Send(editor.Window(), WM_SYSCOMMAND, SC_RESTORE);
        const RECT restored = WindowRect(editor.Window());
        EXPECT_TRUE(EqualRect(&placed, &restored));
        editor.ClickButton(IDCANCEL);
    });

    // Off every monitor: its size, whole on the screen.
    RememberedEditorSettings::SetPlacement("5000,4000,5900,4700,0");
    Run([&](const Editor& editor) {
        const RECT now = WindowRect(editor.Window());
        EXPECT_TRUE(Inside(now, WorkArea()));
        EXPECT_EQ(now.right - now.left, 900);
        EXPECT_EQ(now.bottom - now.top, 700);
        editor.ClickButton(IDCANCEL);
    });
}

} // namespace

// ---- Keys -------------------------------------------------------------------------

TEST_F(EditorDialog, KeysDoWhatTheirButtonsDoSpaceDragPansAndEscTakesBackAStrokeFirst)
{
    const RunResult result = Run([](const Editor& editor) {
        // The real pointer's own moves must not steer the drags posted here.
        editor.ParkPointer();
        auto enabled = [&](int id) { return bool(IsWindowEnabled(editor.Item(id))); };
        const HWND control = editor.Item(IDC_EDITOR_CONTROL);
        RECT client{};
        GetClientRect(control, &client);
        const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
        const LPARAM right = MAKELPARAM(client.right / 2 + 40, client.bottom / 2);

        // One level in, where a drag may pan. With the space bar held the
        // left drag pans instead of stroking; the bracket after it shows that
        // everything before it was handled.
        EXPECT_TRUE(editor.ChordUntil(VK_OEM_PLUS, false, [&] { return enabled(IDC_ZOOM_OUT); })) << "Ctrl+=";
        const int sizeBefore = editor.SliderPosition(IDC_TOOL_SIZE);
        editor.PostToControl({{WM_KEYDOWN, VK_SPACE, 1},
                              {WM_LBUTTONDOWN, MK_LBUTTON, middle},
                              {WM_MOUSEMOVE, MK_LBUTTON, right},
                              {WM_LBUTTONUP, 0, right},
                              {WM_KEYUP, VK_SPACE, 1 | LPARAM(3) << 30},
                              {WM_CHAR, ']', 1}});
        EXPECT_TRUE(SquelmHost::PollUntil([&] { return editor.SliderPosition(IDC_TOOL_SIZE) == sizeBefore + 1; }));
        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_UNDO_STROKE)) << "a left drag with the space bar held strokes nothing";
        EXPECT_TRUE(editor.ChordUntil('0', false, [&] { return !enabled(IDC_ZOOM_OUT); })) << "Ctrl+0";

        editor.Stroke(80, 8);
        EXPECT_TRUE(editor.ChordUntil('Z', false, [&] { return editor.ButtonEnabled(ID_EDIT_REDO_STROKE); }));
        EXPECT_TRUE(editor.ChordUntil('Y', false, [&] { return editor.ButtonEnabled(ID_EDIT_UNDO_STROKE); }));
        editor.ChordUntil('Z', false, [&] { return !editor.ButtonEnabled(ID_EDIT_UNDO_STROKE); });
        EXPECT_TRUE(editor.ChordUntil('Z', true, [&] { return editor.ButtonEnabled(ID_EDIT_UNDO_STROKE); }))
            << "Ctrl+Shift+Z";

        // Esc in a stroke takes it back and leaves the editor open; the
        // bracket after it shows that everything before it was handled.
        editor.ChordUntil('Z', false, [&] { return !editor.ButtonEnabled(ID_EDIT_UNDO_STROKE); });
        const int size = editor.SliderPosition(IDC_TOOL_SIZE);
        editor.PostToControl({{WM_LBUTTONDOWN, MK_LBUTTON, middle},
                              {WM_MOUSEMOVE, MK_LBUTTON, right},
                              {WM_KEYDOWN, VK_ESCAPE, 1},
                              {WM_LBUTTONUP, 0, right},
                              {WM_CHAR, ']', 1}});
        EXPECT_TRUE(SquelmHost::PollUntil([&] { return editor.SliderPosition(IDC_TOOL_SIZE) == size + 1; }));
        EXPECT_TRUE(IsWindow(editor.Window()));
        EXPECT_FALSE(editor.ButtonEnabled(ID_EDIT_UNDO_STROKE)) << "the taken-back stroke left no step";
        EXPECT_TRUE(editor.ButtonEnabled(ID_EDIT_REDO_STROKE));
        editor.PostToControl({{WM_CHAR, '[', 1}, {WM_CHAR, '[', 1}});
        EXPECT_TRUE(SquelmHost::PollUntil([&] { return editor.SliderPosition(IDC_TOOL_SIZE) == size - 1; }));
        editor.PostToControl({{WM_KEYDOWN, VK_ESCAPE, 1}});
    });
    ExpectCancelled(result);
}
