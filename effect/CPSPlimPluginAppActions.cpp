// The host's actions: playing a recorded step at the start of a run and
// recording the run when it succeeds (host/HuxPSScripting.h); what to do
// with a step is decided in PSPlimPlanPlay.
#include "effect/CPSPlimPluginApp.h"

#include "effect/PSPlimDescriptorKeys.h"
#include "host/HuxPSScripting.h"

#include <stdexcept>

PSPlimPlayPlan CPSPlimPluginApp::PlanPlay()
{
    HuxPSScripting scripting(*HostRecord());
    if (!scripting.Playing())
        return {};
    return PSPlimPlanPlay(
        scripting.PlayInfo(), [&] { return scripting.Read(kPSPlimExpectedKeys.data()); }, *m_params);
}

// The recorded mesh becomes the grid the editor starts from, not a step to
// undo: the snapshot follows it.
void CPSPlimPluginApp::StartFromWarp(const PSPlimRecordedWarp& warp)
{
    *m_params = warp.params;
    PSPlimFitMesh(warp.mesh, m_grid);
    m_gridSnapshot.CopyFrom(m_grid);
}

void CPSPlimPluginApp::RecordRun()
{
    HuxPSScripting scripting(*HostRecord());
    if (!scripting.CanRecord())
        return;
    HuxPSDescriptorItems items;
    try {
        items = PSPlimDescribeWarp(*m_params, PSPlimMeshOf(m_grid));
    } catch (const std::runtime_error& e) {
        Fail(std::string("the warp cannot be recorded: ") + e.what());
    }
    scripting.Record(items);
}

void CPSPlimPluginApp::Fail(std::string text)
{
    m_failure = std::move(text);
    throw m_failure.c_str();
}
