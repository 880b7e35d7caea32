#include "ui/win32/PSPlimDialog.h"

#include <algorithm>

#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"
#include "HuxLib/HUXWIN/win32/HuxToolTipAnswer.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/win32/PSPlimDialogHelp.h"
#include "ui/win32/PSPlimOptionsDialog.h"

namespace {

// The toolbar's height under the placeholder's top, its borders and the
// etched line beneath it.
constexpr int kToolbarHeight = 26;
constexpr int kSeparatorHeight = 2;
constexpr int kThumbnailBound = 150;
constexpr COLORREF kToolImageMask = RGB(255, 0, 255);
constexpr int kToolImageWidth = 16;
constexpr const char* kBuildStatus = "Release (Nov  5 2002 12:51:28)";

RECT ChildRect(const CWnd& dialog, const CWnd& child)
{
    RECT rect{};
    child.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

} // namespace

PSPlimDialog::PSPlimDialog(CPSPlimPluginApp* application, HWND owner)
    : CDialog(IDD_SQUELM_EDITOR, owner), m_application(application), m_editor(application), m_zoomRatio(application, 1),
      m_locator(application)
{
    m_editor.SetDialog(this);
}

PSPlimDialog::~PSPlimDialog() = default;

void PSPlimDialog::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_ZOOM_RATIO, m_zoomRatio);
    DDX_Control(exchange, IDC_LEFT_TOOL, m_leftTool);
    DDX_Control(exchange, IDC_RIGHT_TOOL, m_rightTool);
    DDX_Control(exchange, IDC_ZOOM_LOCATOR, m_locator);
    DDX_Control(exchange, IDC_ZOOM_OUT, m_zoomOut);
    DDX_Control(exchange, IDC_ZOOM_IN, m_zoomIn);
    DDX_Control(exchange, IDC_TOOL_POWER, m_powerSlider);
    DDX_Control(exchange, IDC_TOOL_SIZE, m_sizeSlider);
    DDX_Control(exchange, IDC_TOOLBAR_PLACEHOLDER, m_toolbarPlaceholder);
    DDX_Control(exchange, IDC_STATUS_LABEL, m_statusLabel);
    DDX_Control(exchange, IDC_EDITOR_FRAME, m_editorFrame);
}

BOOL PSPlimDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateToolbar();
    CreateSeparator();
    InitialiseSliders();
    m_zoomIn.SetBitmap(IDB_ZOOM_IN);
    m_zoomOut.SetBitmap(IDB_ZOOM_OUT);
    m_locator.SetBitmap(IDB_ZOOM_LOCATOR);
    m_zoomIn.SetRoundedHighlight(true);
    SetPreviewSize();
    m_application->BuildThumbnail(kThumbnailBound, kThumbnailBound);
    m_editor.Create(this, ChildRect(*this, m_editorFrame), IDC_EDITOR_CONTROL);
    InitialiseToolBoxes();
    EnableToolTips();
    SetStatusText(kBuildStatus);
    UpdateZoomButtons();
    return TRUE;
}

void PSPlimDialog::CreateToolbar()
{
    RECT place = ChildRect(*this, m_toolbarPlaceholder);
    place.bottom = place.top + kToolbarHeight;
    m_toolbar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, WS_CHILD | WS_VISIBLE | CCS_TOP, IDC_EDITOR_TOOLBAR);
    m_toolbar.MoveWindow(place);
    m_toolbar.LoadToolBar(IDR_EDITOR_TOOLBAR);
    m_toolbar.ShowWindow(SW_SHOW);
    UpdateToolbar();
}

void PSPlimDialog::CreateSeparator()
{
    RECT client{};
    GetClientRect(&client);
    const RECT toolbar = ChildRect(*this, m_toolbar);
    const RECT line{0, toolbar.bottom, client.right, toolbar.bottom + kSeparatorHeight};
    m_separator.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, line, this, IDC_TOOLBAR_SEPARATOR);
}

void PSPlimDialog::InitialiseSliders()
{
    const PSPlimParameters& params = *m_application->Params();
    m_sizeSlider.SetRange(0, kPSPlimSliderSteps, false);
    m_sizeSlider.SetPos(PSPlimSizeSliderPosition(params.toolSize));
    m_powerSlider.SetRange(0, kPSPlimSliderSteps, false);
    m_powerSlider.SetPos(PSPlimPowerSliderPosition(params.toolPower));
}

// The preview fills the client area of the control that will take the
// frame's place. (The frame's own client area inside its border and static
// edge matches that only where the static edge is one pixel wide.)
void PSPlimDialog::SetPreviewSize()
{
    const SIZE client = PSPlimControl::ClientSizeFor(ChildRect(*this, m_editorFrame));
    m_application->SetPreviewSize(client.cx, client.cy);
}

void PSPlimDialog::InitialiseToolBoxes()
{
    m_toolImages.Create(IDB_TOOL_IMAGES, kToolImageWidth, 0, kToolImageMask);
    m_leftTool.SetImageList(&m_toolImages);
    m_rightTool.SetImageList(&m_toolImages);
    const PSPlimParameters& params = *m_application->Params();
    for (int index = 0; index < int(kPSPlimToolTable.size()); ++index) {
        const PSPlimToolRow& row = kPSPlimToolTable[size_t(index)];
        const CComboBoxEx::Item item{HuxLoadAnsiString(unsigned(row.stringId)), row.imageIndex, row.imageIndex,
                                     row.toolId};
        m_leftTool.InsertItem(index, item);
        m_rightTool.InsertItem(index, item);
        if (row.toolId == params.leftButtonTool)
            m_leftTool.SetCurSel(index);
        if (row.toolId == params.rightButtonTool)
            m_rightTool.SetCurSel(index);
    }
}

void PSPlimDialog::UpdateToolbar()
{
    if (m_toolbar.GetSafeHwnd())
        m_toolbar.OnUpdateCmdUI(*this, true);
}

void PSPlimDialog::UpdateZoomButtons()
{
    const PSPlimZoomButtons buttons = PSPlimZoomButtonsFor(m_application->CanZoomIn(), m_application->CanZoomOut());
    m_zoomIn.EnableWindow(buttons.zoomIn);
    m_zoomOut.EnableWindow(buttons.zoomOut);
    m_locator.EnableWindow(buttons.locator);
}

void PSPlimDialog::SetStatusText(const std::string& text) { m_statusLabel.SetWindowText(text.c_str()); }

bool PSPlimDialog::OnUpdateCommandUI(CCmdUI& ui)
{
    const int command = int(ui.m_nID);
    const bool onToolbar =
        std::find(kPSPlimToolbarLayout.begin(), kPSPlimToolbarLayout.end(), command) != kPSPlimToolbarLayout.end();
    if (command == 0 || !onToolbar)
        return false;
    const PSPlimCommandState state = PSPlimToolbarCommandState(command, PSPlimEditorStateOf(*m_application));
    ui.Enable(state.enabled);
    ui.SetCheck(state.checked ? 1 : 0);
    return true;
}

bool PSPlimDialog::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case PSPlimIds::kUndo: Undo(); return true;
    case PSPlimIds::kRedo: Redo(); return true;
    case PSPlimIds::kToggleGrid:
        m_application->Params()->showGrid = !m_application->Params()->showGrid;
        RepaintEditor();
        return true;
    case PSPlimIds::kShowToolRadius:
        m_application->Params()->showToolRadius = !m_application->Params()->showToolRadius;
        RepaintEditor();
        return true;
    case PSPlimIds::kFixedEdge:
    case PSPlimIds::kLockedEdge:
    case PSPlimIds::kFreeEdge: ChangeEdgeMode(int(id)); return true;
    case PSPlimIds::kOptions: RunOptions(); return true;
    case IDC_HELP_BUTTON:
        if (code != BN_CLICKED)
            break;
        m_application->ShowHelpTopic(kPSPlimDialogWelcomeTopic);
        return true;
    case IDC_ZOOM_IN:
    case IDC_ZOOM_OUT:
        if (code != BN_CLICKED)
            break;
        Zoom(id == IDC_ZOOM_IN);
        return true;
    case IDC_ZOOM_LOCATOR:
        if (code != BN_CLICKED)
            break;
        m_editor.UpdateScrollBars();
        m_editor.Invalidate(false);
        return true;
    case IDC_LEFT_TOOL:
    case IDC_RIGHT_TOOL:
        if (code != CBN_SELCHANGE)
            break;
        ToolChosen(id == IDC_LEFT_TOOL ? m_leftTool : m_rightTool, id == IDC_LEFT_TOOL);
        return true;
    default: break;
    }
    return CDialog::OnCommand(id, code, control);
}

void PSPlimDialog::RepaintEditor() { m_editor.Invalidate(false); }

void PSPlimDialog::Undo()
{
    m_application->Undo();
    UpdateToolbar();
    RepaintEditor();
}

void PSPlimDialog::Redo()
{
    m_application->Redo();
    UpdateToolbar();
    RepaintEditor();
}

void PSPlimDialog::ChangeEdgeMode(int commandId)
{
    const PSPlimEdgeMode mode = commandId == PSPlimIds::kFixedEdge    ? PSPlimEdgeMode::Fixed
                                : commandId == PSPlimIds::kLockedEdge ? PSPlimEdgeMode::Locked
                                                                      : PSPlimEdgeMode::Free;
    m_application->ChangeEdgeMode(mode);
    RepaintEditor();
    UpdateToolbar();
}

void PSPlimDialog::RunOptions()
{
    PSPlimOptionsDialog options(m_application, this);
    if (options.DoModal() != 0)
        RepaintEditor();
}

void PSPlimDialog::Zoom(bool in)
{
    in ? m_application->ZoomIn() : m_application->ZoomOut();
    m_editor.UpdateScrollBars();
    m_editor.Invalidate(false);
    m_zoomRatio.Invalidate(false);
    UpdateZoomButtons();
}

void PSPlimDialog::ToolChosen(CComboBoxEx& box, bool left)
{
    const int index = box.GetCurSel();
    if (index < 0)
        return;
    const int32_t tool = int32_t(box.GetItemData(index));
    (left ? m_application->Params()->leftButtonTool : m_application->Params()->rightButtonTool) = tool;
    UpdateToolbar();
}

void PSPlimDialog::OnHScroll(UINT code, UINT position, HWND scrollBar)
{
    const int sliderId = ::GetDlgCtrlID(scrollBar);
    if (sliderId != PSPlimIds::kSizeSlider && sliderId != PSPlimIds::kPowerSlider) {
        CDialog::OnHScroll(code, position, scrollBar);
        return;
    }
    if (const std::optional<bool> tracking = PSPlimSizeTrackingFor(sliderId, int(code)))
        m_editor.SetSizeTracking(*tracking);
    PSPlimApplySliders(*m_application->Params(), m_sizeSlider.GetPos(), m_powerSlider.GetPos());
}

bool PSPlimDialog::OnNotify(NMHDR* header, LRESULT* result)
{
    if (!HuxIsToolTipTextRequest(*header))
        return CDialog::OnNotify(header, result);
    const int id = int(HuxToolTipRequestId(*header));
    for (const auto& [control, stringId] : kPSPlimZoomTooltips) {
        if (control == id) {
            HuxAnswerToolTipWithResource(*header, UINT(stringId));
            return true;
        }
    }
    return HuxAnswerToolTipWithTip(*header, UINT(id));
}

BOOL PSPlimDialog::OnHelpInfo(HELPINFO* info)
{
    return PSPlimDialogHelp::ShowControlHelp(*m_application, info, kPSPlimDialogPopupFile, kPSPlimDialogHelpIds.data());
}

void PSPlimDialog::OnContextMenu(HWND, POINT screenPoint)
{
    PSPlimDialogHelp::ShowWhatsThisMenu(*m_application, *this, screenPoint, kPSPlimDialogPopupFile,
                                        kPSPlimDialogHelpIds.data());
}
