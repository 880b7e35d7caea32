// The control library's test dialog (ControlLibraryTest.rc): a colour
// swatch, an integer box with range 3 to 150 and a plain edit box to move
// the focus to. What the controls hold is taken when OK ends the dialog,
// after everything the script did before OK.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlLibraryTestIds.h"
#include "HuxLib/HUXCTRL/win32/HuxColourStatic.h"
#include "HuxLib/HUXCTRL/win32/HuxIntegerEditBox.h"
#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "HuxLib/HUXWIN/win32/CDialog.h"
#include "testhost/HostImage.h"

namespace ControlLibraryTest {

constexpr const char* kCaption = "Control library test";

// An integer box that counts its value-changed hook.
class CountingBox : public HuxIntegerEditBox {
public:
    int valueChanges = 0;
    void OnValueChanged() override { ++valueChanges; }
};

struct Command {
    UINT id;
    UINT code;
    HWND control;
};

class ControlDialog : public CDialog {
public:
    explicit ControlDialog(HuxColourChooser* chooser, HWND owner = nullptr)
        : CDialog(IDD_CONTROL_LIBRARY_TEST, owner), swatch(chooser)
    {
    }

    HuxColourStatic swatch;
    CountingBox number;
    CEdit other;
    HuxColourRef initialColour = RGB(0, 0, 0);
    int32_t initialValue = 50;
    bool emptyBox = false; // start with the number box emptied
    std::function<void(ControlDialog&)> onInit;

    // Seen and taken at OK.
    std::vector<Command> commands; // WM_COMMAND from the controls, OK excepted
    std::string numberText;
    HuxColourRef swatchColour = 0;
    HWND swatchWindow = nullptr;

    std::vector<Command> CommandsFrom(UINT id) const
    {
        std::vector<Command> from;
        for (const Command& command : commands)
            if (command.id == id)
                from.push_back(command);
        return from;
    }

    void DoDataExchange(CDataExchange* exchange) override
    {
        DDX_Control(exchange, IDC_SWATCH, swatch);
        DDX_Control(exchange, IDC_NUMBER, number);
        DDX_Control(exchange, IDC_OTHER, other);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        swatch.SetColour(initialColour);
        number.SetRange(3, 150);
        number.SetValue(initialValue);
        if (emptyBox)
            number.SetWindowText("");
        if (onInit)
            onInit(*this);
        commands.clear(); // the set-up's own changes
        return TRUE;
    }

    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (control && id != IDOK)
            commands.push_back({id, code, control});
        return CDialog::OnCommand(id, code, control);
    }

    void OnOK() override
    {
        numberText = number.GetWindowText();
        swatchColour = swatch.GetColour();
        swatchWindow = swatch.m_hWnd;
        CDialog::OnOK();
    }
};

inline bool IsPixel(const SquelmHost::RgbImage& image, int x, int y, HuxColourRef colour)
{
    const uint8_t* p = image.At(x, y);
    return p[0] == HuxRedOf(colour) && p[1] == HuxGreenOf(colour) && p[2] == HuxBlueOf(colour);
}

} // namespace ControlLibraryTest
