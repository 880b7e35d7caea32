#include "ui/win32/PSPlimOptionsDialog.h"

#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "effect/CPSPlimPluginApp.h"
#include "resources/ResourceIds.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimOptionsModel.h"
#include "ui/win32/PSPlimDialogHelp.h"

namespace {

// What the point-count boxes accept; the application clamps again when it
// resizes the grid.
constexpr int32_t kFewestPoints = 3;
constexpr int32_t kMostPoints = 150;

} // namespace

PSPlimOptionsDialog::PSPlimOptionsDialog(CPSPlimPluginApp* application, CWnd* parent)
    : CDialog(IDD_SQUELM_OPTIONS, parent),
      m_application(application),
      m_knockoutColour(application),
      m_edgeColour(application),
      m_toolColour(application),
      m_gridColour(application)
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
    m_pointsAcross.SetRange(kFewestPoints, kMostPoints, false);
    m_pointsDown.SetRange(kFewestPoints, kMostPoints, false);

    const PSPlimOptionsValues values = PSPlimReadOptions(*m_application->Params(), m_application->Grid());
    m_gridColour.SetColour(values.gridColour);
    m_toolColour.SetColour(values.toolRadiusColour);
    m_knockout = values.knockout;
    m_knockoutColour.SetColour(values.knockoutColour);
    m_pointsAcross.SetValue(values.pointsAcross, true);
    m_pointsDown.SetValue(values.pointsDown, true);
    m_interpolation = values.interpolation;
    m_edgeFillChoice = values.edgeFillChoice;
    m_edgeColour.SetColour(values.edgeColour);

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
    values.edgeColour = m_edgeColour.GetColour();
    values.pointsAcross = m_pointsAcross.GetValue();
    values.pointsDown = m_pointsDown.GetValue();
    PSPlimApplyOptions(*m_application, values);
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
