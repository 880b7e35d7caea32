#include "ui/win32/PSPlimDialog.h"

#include <algorithm>

#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "HuxLib/HUXWIN/win32/HuxDpi.h"
#include "HuxLib/HUXWIN/win32/HuxFileDialog.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"
#include "HuxLib/HUXWIN/win32/HuxToolTipAnswer.h"
#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimVersionText.h"
#include "ui/PSPlimArtwork.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimEditorLayout.h"
#include "ui/win32/PSPlimDialogHelp.h"
#include "ui/win32/PSPlimOptionsDialog.h"
#include "ui/win32/PSPlimUserStorageName.h"

namespace {

// The toolbar's height under the placeholder's top and the etched line
// beneath it, at 96 dpi.
constexpr int kToolbarHeight = 26;
constexpr int kSeparatorHeight = 2;
constexpr COLORREF kToolImageMask = RGB(255, 0, 255);
constexpr HuxPointI kToolImageSize{16, 16};
// The user setting that keeps the editor's placement.
constexpr const wchar_t* kPlacementValue = L"EditorPlacement";

static_assert(PSPlimVirtualKey::kEscape == VK_ESCAPE && PSPlimVirtualKey::kSpace == VK_SPACE &&
              PSPlimVirtualKey::kNumpadZero == VK_NUMPAD0 && PSPlimVirtualKey::kAdd == VK_ADD &&
              PSPlimVirtualKey::kSubtract == VK_SUBTRACT && PSPlimVirtualKey::kOemPlus == VK_OEM_PLUS &&
              PSPlimVirtualKey::kOemMinus == VK_OEM_MINUS);

bool KeyIsDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

RECT ChildRect(const CWnd& dialog, const CWnd& child)
{
    RECT rect{};
    child.GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

} // namespace

PSPlimDialog::PSPlimDialog(CPSPlimPluginApp* application, HWND owner)
    : CDialog(IDD_SQUELM_EDITOR, owner),
      m_application(application),
      m_commands(*application),
      m_meshes(*application, m_meshStore),
      m_editor(m_commands),
      m_zoomRatio(application, 1),
      m_locator(m_commands),
      m_placement(kPSPlimUserStorageName, kPlacementValue)
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
    HuxTakeOverDialogDpiChanges(m_hWnd);
    const int dpi = HuxWindowDpi(m_hWnd);
    m_commands.Stroke().SetPressureControlsPower(m_pressure.Restore());
    CreateToolbar(dpi);
    CreateSeparator();
    InitialiseSliders();
    m_zoomIn.SetRoundedHighlight(true);
    OpenEditor(dpi);
    m_editor.Create(this, ChildRect(*this, m_editorFrame), IDC_EDITOR_CONTROL);
    ShowArt(dpi);
    InitialiseToolBoxes();
    EnableToolTips();
    SetStatusText(PSPlimBuildLabel());
    UpdateZoomButtons();
    m_resizer.Attach(m_hWnd, &PSPlimEditorAnchor);
    return TRUE;
}

void PSPlimDialog::PlaceDialog()
{
    CDialog::PlaceDialog();
    m_placement.Restore(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER), m_resizer.MinimumSize());
}

LRESULT PSPlimDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO: m_resizer.LimitSize(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    default: return CDialog::WindowProc(message, wParam, lParam);
    }
}

void PSPlimDialog::OnSize(UINT type, int width, int height)
{
    CDialog::OnSize(type, width, height);
    if (type != SIZE_MINIMIZED)
        LayOutControls();
}

void PSPlimDialog::OnDpiChanged(int dpi, const RECT& suggested)
{
    m_resizer.ChangeDpi(dpi);
    ShowArt(dpi);
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The suggested size may be the one the window has: no WM_SIZE then.
    LayOutControls();
}

// The preview takes the editor control's new client size.
void PSPlimDialog::LayOutControls()
{
    if (!m_resizer.Attached())
        return;
    RECT client{};
    GetClientRect(&client);
    m_resizer.LayOut(client.right, client.bottom);
    m_editor.GetClientRect(&client);
    Show(m_commands.Resize(client.right, client.bottom));
}

void PSPlimDialog::OnDestroy()
{
    m_placement.Save(m_hWnd);
    m_pressure.Save(m_commands.Stroke().PressureControlsPower());
    CDialog::OnDestroy();
}

void PSPlimDialog::CreateToolbar(int dpi)
{
    RECT place = ChildRect(*this, m_toolbarPlaceholder);
    place.bottom = place.top + HuxScaleForDpi(kToolbarHeight, kHuxBaseDpi, dpi);
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
    const RECT line{0, toolbar.bottom, client.right,
                    toolbar.bottom + HuxScaleForDpi(kSeparatorHeight, kHuxBaseDpi, HuxWindowDpi(m_hWnd))};
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
void PSPlimDialog::OpenEditor(int dpi)
{
    const SIZE client = PSPlimControl::ClientSizeFor(ChildRect(*this, m_editorFrame), dpi);
    m_commands.Open(client.cx, client.cy);
}

void PSPlimDialog::InitialiseToolBoxes()
{
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

void PSPlimDialog::ShowArt(int dpi)
{
    const HuxArtScale scale = HuxArtScaleFor(dpi);
    m_toolbar.SetImages(UINT(PSPlimArtBitmap(PSPlimArt::Toolbar, scale)), scale);
    m_toolImages.Create(UINT(PSPlimArtBitmap(PSPlimArt::ToolImages, scale)), HuxArtSize(kToolImageSize, scale).x, 0,
                        kToolImageMask);
    m_leftTool.SetImageList(&m_toolImages);
    m_rightTool.SetImageList(&m_toolImages);
    m_zoomIn.SetBitmap(UINT(PSPlimArtBitmap(PSPlimArt::ZoomIn, scale)));
    m_zoomOut.SetBitmap(UINT(PSPlimArtBitmap(PSPlimArt::ZoomOut, scale)));
    m_locator.SetBitmap(UINT(PSPlimArtBitmap(PSPlimArt::ZoomLocator, scale)));
}

void PSPlimDialog::UpdateToolbar()
{
    if (m_toolbar.GetSafeHwnd())
        m_toolbar.OnUpdateCmdUI(*this, true);
}

void PSPlimDialog::UpdateZoomButtons()
{
    const PSPlimZoomButtons buttons = m_commands.ZoomButtons();
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
    const PSPlimEditorState editor =
        PSPlimEditorStateOf(*m_application, m_meshes.HasLastMesh(), m_commands.Stroke().PressureControlsPower());
    const PSPlimCommandState state = PSPlimToolbarCommandState(command, editor);
    ui.Enable(state.enabled);
    ui.SetCheck(state.checked ? 1 : 0);
    return true;
}

bool PSPlimDialog::OnCommand(UINT id, UINT code, HWND control)
{
    if (const std::optional<PSPlimRedraw> redraw = m_commands.ToolbarCommand(int(id))) {
        Show(*redraw);
        return true;
    }
    if (const std::optional<PSPlimMeshQuestion> question = m_meshes.Question(int(id))) {
        AskForMesh(*question);
        return true;
    }
    switch (id) {
    case PSPlimIds::kOptions: RunOptions(); return true;
    case PSPlimIds::kLoadLastMesh: Show(m_meshes.LoadLast()); return true;
    case IDC_HELP_BUTTON:
        if (code != BN_CLICKED)
            break;
        m_application->ShowHelpTopic(kPSPlimDialogWelcomeTopic);
        return true;
    case IDC_ZOOM_IN:
    case IDC_ZOOM_OUT:
        if (code != BN_CLICKED)
            break;
        Show(m_commands.Zoom(id == IDC_ZOOM_IN));
        return true;
    case IDC_ZOOM_LOCATOR:
        // The popup's release moved the view.
        if (code != BN_CLICKED)
            break;
        Show(PSPlimEditorCommands::kLocated);
        return true;
    case IDC_LEFT_TOOL:
    case IDC_RIGHT_TOOL:
        if (code != CBN_SELCHANGE)
            break;
        ToolChosen(id == IDC_LEFT_TOOL ? m_leftTool : m_rightTool,
                   id == IDC_LEFT_TOOL ? PSPlimButton::Left : PSPlimButton::Right);
        return true;
    default: break;
    }
    return CDialog::OnCommand(id, code, control);
}

void PSPlimDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    m_meshes.KeepLastMesh();
    EndDialog(PSPlimEditorCommands::Close(true));
}

void PSPlimDialog::OnCancel() { EndDialog(PSPlimEditorCommands::Close(false)); }

void PSPlimDialog::Show(const PSPlimRedraw& redraw)
{
    if (redraw.scrollBars)
        m_editor.UpdateScrollBars();
    if (redraw.editor)
        m_editor.Invalidate(false);
    if (redraw.zoom) {
        m_zoomRatio.Invalidate(false);
        UpdateZoomButtons();
    }
    if (redraw.toolbar)
        UpdateToolbar();
}

// The options dialog covered the editor, whatever became of it.
void PSPlimDialog::RunOptions()
{
    PSPlimOptionsDialog options(m_commands, this);
    if (options.DoModal() != 0)
        m_editor.Invalidate(false);
}

void PSPlimDialog::AskForMesh(const PSPlimMeshQuestion& question)
{
    const std::optional<std::string> file =
        HuxAskForFile({m_hWnd, question.save, question.title, PSPlimMeshCommands::kFilterName,
                       PSPlimMeshCommands::kExtension, question.folder});
    if (file)
        Show(m_meshes.Answer(question, *file));
}

void PSPlimDialog::ToolChosen(CComboBoxEx& box, PSPlimButton button)
{
    const int index = box.GetCurSel();
    if (index >= 0)
        Show(m_commands.ChooseTool(button, int32_t(box.GetItemData(index))));
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
    Show(m_commands.MoveSliders(m_sizeSlider.GetPos(), m_powerSlider.GetPos()));
}

bool PSPlimDialog::OnNotify(NMHDR* header, LRESULT* result)
{
    if (!HuxIsToolTipTextRequest(*header))
        return CDialog::OnNotify(header, result);
    const PSPlimTooltip tip = PSPlimTooltipFor(int(HuxToolTipRequestId(*header)),
                                               [](int id) { return HuxLoadAnsiString(unsigned(id)); });
    switch (tip.kind) {
    case PSPlimTooltip::Kind::StringId: HuxAnswerToolTipWithResource(*header, UINT(tip.stringId)); return true;
    case PSPlimTooltip::Kind::Text: HuxAnswerToolTipWithText(*header, tip.text); return true;
    case PSPlimTooltip::Kind::None: break;
    }
    return false;
}

BOOL PSPlimDialog::OnHelpInfo(HELPINFO* info)
{
    return PSPlimDialogHelp::ShowControlHelp(*m_application, info, kPSPlimDialogPopupFile, kPSPlimDialogHelpIds.data());
}

// Keys reach the editor whatever control has the focus; the space bar is
// the pan key while held and never presses the focused button.
bool PSPlimDialog::PreTranslateMessage(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.wParam == VK_SPACE) {
            m_editor.SetSpaceHeld(message.message == WM_KEYDOWN);
            return true;
        }
        if (message.message == WM_KEYUP)
            return false;
        if (const std::optional<PSPlimKey> key = PSPlimKeyForPress(
                {uint32_t(message.wParam), KeyIsDown(VK_CONTROL), KeyIsDown(VK_SHIFT), KeyIsDown(VK_MENU)}))
            return AnswerKey(*key);
        return false;
    case WM_CHAR:
        if (const std::optional<PSPlimKey> key = PSPlimKeyForCharacter(uint32_t(message.wParam)))
            return AnswerKey(*key);
        return false;
    default: return false;
    }
}

bool PSPlimDialog::AnswerKey(PSPlimKey key)
{
    const std::optional<PSPlimEditorCommands::KeyAnswer> answer =
        m_commands.Key(key, m_sizeSlider.GetPos(), m_powerSlider.GetPos());
    if (!answer)
        return false;
    if (answer->sizePosition)
        m_sizeSlider.SetPos(*answer->sizePosition);
    if (key == PSPlimKey::Escape)
        m_editor.StrokeCancelled();
    Show(answer->redraw);
    return true;
}

void PSPlimDialog::OnContextMenu(HWND, POINT screenPoint)
{
    PSPlimDialogHelp::ShowWhatsThisMenu(*m_application, *this, screenPoint, kPSPlimDialogPopupFile,
                                        kPSPlimDialogHelpIds.data());
}
