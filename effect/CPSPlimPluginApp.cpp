#include "effect/CPSPlimPluginApp.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXUTIL/HuxPublishedPointer.h"
#include "HuxLib/HUXUTIL/HuxSETranslator.h"
#include "HuxLib/HUXWIN/HuxHelpPath.h"
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "host/HuxPSHandles.h"
#include "effect/PSPlimDocuments.h"
#include "effect/PSPlimEditor.h"
#include "effect/PSPlimTileRender.h"
#include "effect/PSPlimVersionText.h"

#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

constexpr const char* kParametersNotSet = "Parameters not set";

// Why there is no parameters record: what the host lacks, else its refusal.
const char* MissingParametersReason(const PS::FilterRecord* record)
{
    const char* lacking = record ? HuxPSHandles(record->handleProcs).Lacking() : nullptr;
    return lacking ? lacking : kParametersNotSet;
}

} // namespace

CPSPlimPluginApp::CPSPlimPluginApp()
{
    HuxInstallFaultTranslator();
    // An undo failure during editing must show above the editor, not behind it.
    m_undoList.SetFailureOwner([this] { return MessageOwner(); });
}

void CPSPlimPluginApp::About() { HuxMessageBox(OwnerWindow(), PSPlimAboutText().c_str(), m_pszAppName, kHuxMbOk); }

bool CPSPlimPluginApp::TakesDocument(const HuxPSDocument& document) const { return PSPlimTakesDocument(document); }

void CPSPlimPluginApp::Start()
{
    // The block may have moved since Prepare: it is locked anew for this call.
    ObtainParameters();
    if (!m_params)
        throw MissingParametersReason(HostRecord());
    // Steps of an earlier run describe a grid that is reset now, cached
    // tiles may show an image that has changed since, and another host may
    // convert colours otherwise.
    m_undoList.Clear();
    m_tileCache.reset();
    m_shownKnockout.reset();
    const PSPlimPlayPlan plan = PlanPlay();
    if (plan.start == PSPlimPlayStart::Refused)
        Fail(plan.reason);
    ResetGrid();
    if (plan.warp)
        StartFromWarp(*plan.warp);

    // The render threads live for this call only.
    HuxWorkerPool workers(
        HuxWorkerPool::ThreadCountFor(std::getenv(kRenderThreadsVariable), std::thread::hardware_concurrency()));
    PSPlimTileRender tileRender(workers);
    const HuxPublishedPointer<PSPlimTileRender> published(m_tileRender, &tileRender);

    if (plan.start != PSPlimPlayStart::Silent && RunEditor() != kHuxIdOk)
        throw HuxOSErr(PS::userCanceledErr);

    m_params->gridEdgeMode = PSPlimStored(m_grid.EdgeMode());
    m_params->pointsAcross = m_grid.PointsAcross();
    m_params->pointsDown = m_grid.PointsDown();
    FinalRender();
    RecordRun();
}

int CPSPlimPluginApp::RunEditor()
{
    if (!m_editor)
        return kHuxIdCancel;
    const HuxPublishedPointer<PSPlimEditor> open(m_openEditor, m_editor);
    return m_editor->RunModal(*this);
}

intptr_t CPSPlimPluginApp::MessageOwner() const
{
    const intptr_t editorWindow = m_openEditor ? m_openEditor->WindowHandle() : 0;
    return editorWindow ? editorWindow : OwnerWindow();
}

void CPSPlimPluginApp::ResetGrid()
{
    const HuxRect& filter = FilterRect();
    const double width = filter.Width();
    const double height = filter.Height();
    const double diagonal = std::sqrt(width * width + height * height);
    // An empty filter rectangle has no diagonal; keep the grid finite.
    const double unit = diagonal > 0.0 ? diagonal : 1.0;
    m_grid.Reset(width / unit, height / unit, m_params->pointsAcross, m_params->pointsDown);
    m_grid.SetEdgeMode(PSPlimForcedChoice<PSPlimEdgeMode>(m_params->gridEdgeMode));
    m_grid.ApplyEdgeMode();
    m_gridSnapshot.CopyFrom(m_grid);
}

std::string CPSPlimPluginApp::GetHelpFilePath() const
{
    // A library that cannot find its own file has no help.
    const std::string library = HuxModuleFilePath(m_hInstance);
    return library.empty() ? std::string() : HuxFileBesideModule(library, kHuxHelpFileName);
}

int32_t CPSPlimPluginApp::GetParametersSize() const { return sizeof(PSPlimParameters); }

void CPSPlimPluginApp::SetParametersPointer(void* parameters)
{
    m_params = static_cast<PSPlimParameters*>(parameters);
}

void CPSPlimPluginApp::SetDefaultParameters()
{
    if (!m_params)
        throw MissingParametersReason(HostRecord());
    PSPlimSetDefaultParameters(*m_params);
}

void CPSPlimPluginApp::ValidateParameters()
{
    if (m_params)
        PSPlimValidateParameters(*m_params);
}
