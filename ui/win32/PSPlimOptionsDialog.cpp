#include "ui/win32/PSPlimOptionsDialog.h"

#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "effect/CPSPlimPluginApp.h"
#include "resources/ResourceIds.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/win32/PSPlimDialogHelp.h"

PSPlimOptionsDialog::PSPlimOptionsDialog(PSPlimEditorCommands& commands, CWnd* parent)
    : CDialog(IDD_SQUELM_OPTIONS, parent),
      m_commands(commands),
      m_application(&commands.App()),
      m_knockoutColour(m_application),
      m_edgeColour(m_application),
      m_toolColour(m_application),
      m_gridColour(m_application)
{
}

PSPlimOptionsDialog::~PSPlimOptionsDialog() = default;

void PSPlimOptionsDialog::DoDataExchange(CDataExchange* exchange)
{
    DDX_Control(exchange, IDC_KNOCKOUT_COLOUR, m_knockoutColour);
    DDX_Control(exchange, IDC_EDGE_COLOUR, m_edgeColour);
    DDX_Control(exchange, IDC_POINTS_DOWN, m_pointsDown);
    DDX_Control(exchange, IDC_POINTS_ACROSS, m_pointsAcross);
    DDX_Control(exchange, IDC_TOOL_COLOUR, m_toolColour);
    DDX_Control(exchange, IDC_GRID_COLOUR, m_gridColour);
    DDX_Check(exchange, IDC_INTERPOLATION, m_interpolation);
    DDX_Radio(exchange, IDC_REPEAT_EDGE_PIXELS, m_edgeFillChoice);
    DDX_Check(exchange, IDC_KNOCKOUT, m_knockout);
}

BOOL PSPlimOptionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The boxes clamp what is typed, as the commands do.
    m_pointsAcross.SetRange(PSPlimEditorCommands::kFewestPoints, PSPlimEditorCommands::kMostPoints, false);
    m_pointsDown.SetRange(PSPlimEditorCommands::kFewestPoints, PSPlimEditorCommands::kMostPoints, false);

    const PSPlimOptionsValues values = m_commands.Options();
    m_gridColour.SetColour(values.gridColour);
    m_toolColour.SetColour(values.toolRadiusColour);
    m_knockout = values.knockout;
    m_knockoutColour.SetColour(values.knockoutColour);
    m_pointsAcross.SetValue(values.pointsAcross, true);
    m_pointsDown.SetValue(values.pointsDown, true);
    m_interpolation = values.interpolation;
    m_edgeFillChoice = values.edgeFillChoice;
    m_edgeColour.SetColour(values.edgeColour);

    ::ShowWindow(GetDlgItem(IDC_TRANSPARENT_EDGE), values.offersTransparent ? SW_SHOW : SW_HIDE);
    m_offersTransparent = values.offersTransparent;

    UpdateData(false);
    return TRUE;
}

void PSPlimOptionsDialog::OnOK()
{
    UpdateData(true);
    PSPlimOptionsValues values;
    values.gridColour = m_gridColour.GetColour();
    values.toolRadiusColour = m_toolColour.GetColour();
    values.knockout = m_knockout;
    values.knockoutColour = m_knockoutColour.GetColour();
    values.interpolation = m_interpolation;
    values.edgeFillChoice = m_edgeFillChoice;
    values.offersTransparent = m_offersTransparent;
    values.edgeColour = m_edgeColour.GetColour();
    values.pointsAcross = m_pointsAcross.GetValue();
    values.pointsDown = m_pointsDown.GetValue();
    m_commands.ApplyOptions(values);
    EndDialog(IDOK);
}

bool PSPlimOptionsDialog::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_HELP_BUTTON && code == BN_CLICKED) {
        m_application->ShowHelpTopic(kPSPlimOptionsWelcomeTopic);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

BOOL PSPlimOptionsDialog::OnHelpInfo(HELPINFO* info)
{
    return PSPlimDialogHelp::ShowControlHelp(*m_application, info, kPSPlimOptionsPopupFile,
                                             kPSPlimOptionsHelpIds.data());
}

void PSPlimOptionsDialog::OnContextMenu(HWND, POINT screenPoint)
{
    PSPlimDialogHelp::ShowWhatsThisMenu(*m_application, *this, screenPoint, kPSPlimOptionsPopupFile,
                                        kPSPlimOptionsHelpIds.data());
}
