// The modal editor dialog: the grid editor control framed by the toolbar,
// the two tool boxes, the size and power sliders, the zoom buttons and
// label, OK, Cancel and Help. It keeps no editing state of its own: each
// control's input becomes an editor command, and the dialog redraws what
// the command names.
#pragma once

#include <string>

#include "HuxLib/HUXCTRL/win32/HuxBitmapButton.h"
#include "HuxLib/HUXCTRL/win32/HuxLineStatic.h"
#include "HuxLib/HUXWIN/win32/CControls.h"
#include "HuxLib/HUXWIN/win32/CDialog.h"
#include "HuxLib/HUXWIN/win32/CImageList.h"
#include "HuxLib/HUXWIN/win32/CToolBar.h"
#include "HuxLib/HUXWIN/win32/HuxDialogResizer.h"
#include "HuxLib/HUXWIN/win32/HuxRememberedPlacement.h"
#include "ui/win32/HuxPSPreviewLocatorButton.h"
#include "ui/win32/HuxPSZoomRatioStatic.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/PSPlimMeshCommands.h"
#include "ui/win32/PSPlimControl.h"
#include "ui/win32/PSPlimRememberedPressure.h"
#include "ui/win32/PSPlimUserMeshStore.h"

class CPSPlimPluginApp;

class PSPlimDialog : public CDialog {
public:
    // owner: the host's window, or null.
    PSPlimDialog(CPSPlimPluginApp* application, HWND owner);
    ~PSPlimDialog() override;

    // Re-evaluates every toolbar button through the update handlers.
    void UpdateToolbar();
    void UpdateZoomButtons();
    // The hidden status label's text (the editor's timing line).
    void SetStatusText(const std::string& text);

    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT* result) override;
    void OnOK() override;
    void OnCancel() override;
    bool OnUpdateCommandUI(CCmdUI& ui) override;
    void OnHScroll(UINT code, UINT position, HWND scrollBar) override;
    BOOL OnHelpInfo(HELPINFO* info) override;
    void OnContextMenu(HWND window, POINT screenPoint) override;
    bool PreTranslateMessage(const MSG& message) override;
    // Resizable, reopening where the user left it.
    void PlaceDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int width, int height) override;
    // Dragged onto a monitor of another resolution: laid out for `dpi` in
    // the window rectangle the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnDestroy() override;

private:
    void CreateToolbar(int dpi);
    // The pictures drawn for the scale of a monitor of `dpi`.
    void ShowArt(int dpi);
    void LayOutControls();
    void CreateSeparator();
    void InitialiseSliders();
    void InitialiseToolBoxes();
    void OpenEditor(int dpi);
    void Show(const PSPlimRedraw& redraw);
    void RunOptions();
    void AskForMesh(const PSPlimMeshQuestion& question);
    void ToolChosen(CComboBoxEx& box, PSPlimButton button);
    bool AnswerKey(PSPlimKey key);

    CPSPlimPluginApp* m_application;
    PSPlimEditorCommands m_commands;
    PSPlimUserMeshStore m_meshStore;
    PSPlimMeshCommands m_meshes;
    CToolBar m_toolbar;
    HuxLineStatic m_separator;
    CImageList m_toolImages;
    PSPlimControl m_editor;
    HuxPSZoomRatioStatic m_zoomRatio;
    CComboBoxEx m_leftTool;
    CComboBoxEx m_rightTool;
    HuxPSPreviewLocatorButton m_locator;
    HuxBitmapButton m_zoomOut;
    HuxBitmapButton m_zoomIn;
    CSliderCtrl m_powerSlider;
    CSliderCtrl m_sizeSlider;
    CStatic m_toolbarPlaceholder;
    CStatic m_statusLabel;
    CStatic m_editorFrame;
    HuxDialogResizer m_resizer;
    HuxRememberedPlacement m_placement;
    PSPlimRememberedPressure m_pressure;
};
