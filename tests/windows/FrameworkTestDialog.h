// The window framework's test dialog (FrameworkTest.rc) and the way the
// tests run it: the dialog modally on the test's thread, a script on the
// automation thread that acts on it like a user.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FrameworkTestIds.h"
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "HuxLib/HUXWIN/win32/CControls.h"
#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "HuxLib/HUXWIN/win32/CDialog.h"
#include "HuxLib/HUXWIN/win32/CImageList.h"
#include "HuxLib/HUXWIN/win32/CToolBar.h"
#include "HuxLib/HUXWIN/win32/HuxToolTipAnswer.h"
#include "testhost/win32/WindowAutomation.h"

namespace FrameworkTest {

constexpr const char* kCaption = "Framework test";
constexpr const char* kHelpTopic = "::/Text/Test.txt";
// One table for the whole program: the tests compare its address.
inline constexpr uint32_t kHelpIds[] = {IDC_AFTER_GROUP, 5005, IDC_EDIT, 5006, IDC_SLIDER, 5008, 0, 0};

class TestDialog : public CDialog {
public:
    explicit TestDialog(HWND owner = nullptr) : CDialog(IDD_FRAMEWORK_TEST, owner) {}
    explicit TestDialog(CWnd* parent) : CDialog(IDD_FRAMEWORK_TEST, parent) {}

    // Exchanged with the check box and the radio group.
    int check = 0;
    int radio = -1;
    // Run when the Action button is clicked, and at the end of OnInitDialog.
    std::function<void()> onAction;
    std::function<void()> onInit;
    std::string helpFile = "C:\\help\\Test.chm";

    // What the dialog saw.
    int okCalls = 0;
    int cancelCalls = 0;
    bool controlsAttached = false;
    bool toolbarLoaded = false;
    bool imagesLoaded = false;
    std::vector<UINT> toolbarCommands;

    CButton checkBox;
    CEdit edit;
    CComboBoxEx combo;
    CSliderCtrl slider;
    CSpinButtonCtrl spin;
    CStatic toolbarPlace;
    CToolBar toolbar;
    CImageList images;

    void DoDataExchange(CDataExchange* exchange) override
    {
        DDX_Control(exchange, IDC_CHECK, checkBox);
        DDX_Control(exchange, IDC_EDIT, edit);
        DDX_Control(exchange, IDC_COMBO, combo);
        DDX_Control(exchange, IDC_SLIDER, slider);
        DDX_Control(exchange, IDC_SPIN, spin);
        DDX_Control(exchange, IDC_TOOLBAR_PLACE, toolbarPlace);
        DDX_Check(exchange, IDC_CHECK, check);
        DDX_Radio(exchange, IDC_RADIO_FIRST, radio);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        controlsAttached = CWnd::FromHandlePermanent(GetDlgItem(IDC_COMBO)) == &combo &&
                           CWnd::FromHandlePermanent(GetDlgItem(IDC_CHECK)) == &checkBox &&
                           CWnd::FromHandlePermanent(m_hWnd) == this;
        RECT place{};
        toolbarPlace.GetWindowRect(&place);
        ScreenToClient(&place);
        place.bottom = place.top + 26;
        toolbar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, WS_CHILD | WS_VISIBLE, IDC_TOOLBAR);
        toolbar.MoveWindow(place);
        toolbarLoaded = toolbar.LoadToolBar(IDR_TEST_TOOLBAR) &&
                        toolbar.SetImages(IDR_TEST_TOOLBAR, HuxArtScale::Percent100);
        toolbar.OnUpdateCmdUI(*this, true);

        imagesLoaded = images.Create(IDB_TEST_IMAGES, 16, 0, RGB(255, 0, 255));
        combo.SetImageList(&images);
        combo.InsertItem(0, {"Blue", 0, 0, 40});
        combo.InsertItem(1, {"Red", 1, 1, 41});
        combo.SetCurSel(1);
        slider.SetRange(0, 100, false);
        slider.SetPos(37);
        spin.SetRange32(3, 150);
        spin.SetPos32(50);
        EnableToolTips();
        if (onInit)
            onInit();
        return TRUE;
    }

    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == IDC_ACTION && code == BN_CLICKED) {
            if (onAction)
                onAction();
            return true;
        }
        if (id >= ID_TOOL_DISABLED && id <= ID_TOOL_UNHANDLED) {
            toolbarCommands.push_back(id);
            return true;
        }
        return CDialog::OnCommand(id, code, control);
    }

    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }

    void OnCancel() override
    {
        ++cancelCalls;
        CDialog::OnCancel();
    }

    bool OnUpdateCommandUI(CCmdUI& ui) override
    {
        switch (ui.m_nID) {
        case ID_TOOL_DISABLED: ui.Enable(false); return true;
        case ID_TOOL_CHECKED: ui.SetCheck(1); return true;
        case ID_TOOL_UNCHECKED: ui.SetCheck(0); return true;
        default: return false;
        }
    }

    bool OnNotify(NMHDR* header, LRESULT* result) override
    {
        if (!HuxIsToolTipTextRequest(*header))
            return CDialog::OnNotify(header, result);
        const UINT id = HuxToolTipRequestId(*header);
        if (id == IDC_SLIDER) {
            HuxAnswerToolTipWithResource(*header, id);
            return true;
        }
        return HuxAnswerToolTipWithTip(*header, id);
    }

    BOOL OnHelpInfo(HELPINFO* info) override
    {
        if (info->iContextType == HELPINFO_WINDOW)
            HuxHtmlHelp(reinterpret_cast<intptr_t>(info->hItemHandle), helpFile, kHelpTopic, kHuxHelpWmHelp,
                        reinterpret_cast<uintptr_t>(kHelpIds));
        return TRUE;
    }

    void OnContextMenu(HWND, POINT point) override
    {
        HuxShowWhatsThisMenu(reinterpret_cast<intptr_t>(m_hWnd), helpFile, kHelpTopic, kHelpIds, {point.x, point.y});
    }
};

// SendMessage from the automation thread, with a timeout.
inline LRESULT Ask(intptr_t window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam, lParam, SMTO_ABORTIFHUNG, 10000,
                             &result))
        throw std::runtime_error("a window did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Runs `dialog` modally on this thread while `script` acts on its window
// from the automation thread; returns DoModal's result (or its exception,
// once the script has finished).
template <class Script>
INT_PTR RunDialog(CDialog& dialog, Script script, const char* caption = kCaption)
{
    SquelmHost::AutomationThread thread([script, caption] {
        const SquelmHost::WindowAutomation automation;
        const intptr_t window = automation.WaitForWindow(SquelmHost::WindowAutomation::kDialogClass, caption);
        if (!window)
            throw std::runtime_error(std::string("the dialog \"") + caption + "\" did not appear");
        try {
            script(automation, window);
        } catch (...) {
            // Close the dialog, or the test's thread would wait in it for ever.
            PostMessageA(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
            throw;
        }
    });
    try {
        const INT_PTR result = dialog.DoModal();
        thread.Join();
        return result;
    } catch (...) {
        thread.Join();
        throw;
    }
}

} // namespace FrameworkTest
