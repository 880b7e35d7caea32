// The options dialog behind the editor's Options button: grid, tool and
// knockout colours, the grid's point counts, interpolation, knockout and
// what fills areas outside the image. It reads everything when it opens
// and writes everything back on OK; Cancel changes nothing.
#pragma once

#include "HuxLib/HUXCTRL/win32/HuxColourStatic.h"
#include "HuxLib/HUXCTRL/win32/HuxIntegerEditBox.h"
#include "HuxLib/HUXWIN/win32/CDialog.h"

class CPSPlimPluginApp;
class PSPlimEditorCommands;

class PSPlimOptionsDialog : public CDialog {
public:
    // parent: the editor dialog that runs this one modally.
    PSPlimOptionsDialog(PSPlimEditorCommands& commands, CWnd* parent);
    ~PSPlimOptionsDialog() override;

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    BOOL OnHelpInfo(HELPINFO* info) override;
    void OnContextMenu(HWND window, POINT screenPoint) override;

private:
    PSPlimEditorCommands& m_commands;
    CPSPlimPluginApp* m_application;
    HuxColourStatic m_knockoutColour;
    HuxColourStatic m_edgeColour;
    HuxIntegerEditBox m_pointsDown;
    HuxIntegerEditBox m_pointsAcross;
    HuxColourStatic m_toolColour;
    HuxColourStatic m_gridColour;
    int m_interpolation = 0;
    int m_edgeFillChoice = -1; // 0 repeat edge pixels, 1 use the edge colour, 2 transparent
    bool m_offersTransparent = false;
    int m_knockout = 0;
};
