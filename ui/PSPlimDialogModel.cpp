#include "ui/PSPlimDialogModel.h"

#include "HuxLib/HUXWIN/HuxTooltipText.h"
#include "effect/CPSPlimPluginApp.h"


namespace {

// Trackbar notification codes of a thumb drag.
constexpr int kThumbTrack = 5;
constexpr int kEndTrack = 8;

} // namespace

std::optional<bool> PSPlimSizeTrackingFor(int sliderId, int scrollCode)
{
    if (sliderId != PSPlimIds::kSizeSlider)
        return std::nullopt;
    if (scrollCode == kThumbTrack)
        return true;
    if (scrollCode == kEndTrack)
        return false;
    return std::nullopt;
}

PSPlimEditorState PSPlimEditorStateOf(const CPSPlimPluginApp& app, bool lastMeshKept, bool pressureControlsPower)
{
    const PSPlimParameters* params = app.Params();
    return {app.CanUndo(),
            app.CanRedo(),
            params && params->showGrid != 0,
            params && params->showToolRadius != 0,
            pressureControlsPower,
            app.Grid().EdgeMode(),
            lastMeshKept};
}

PSPlimCommandState PSPlimToolbarCommandState(int commandId, const PSPlimEditorState& state)
{
    switch (commandId) {
    case PSPlimIds::kUndo: return {state.canUndo, false};
    case PSPlimIds::kRedo: return {state.canRedo, false};
    case PSPlimIds::kToggleGrid: return {true, state.showGrid};
    case PSPlimIds::kShowToolRadius: return {true, state.showToolRadius};
    case PSPlimIds::kPressureControlsPower: return {true, state.pressureControlsPower};
    case PSPlimIds::kFixedEdge: return {true, state.edgeMode == PSPlimEdgeMode::Fixed};
    case PSPlimIds::kLockedEdge: return {true, state.edgeMode == PSPlimEdgeMode::Locked};
    case PSPlimIds::kFreeEdge: return {true, state.edgeMode == PSPlimEdgeMode::Free};
    case PSPlimIds::kOptions:
    case PSPlimIds::kSaveMesh:
    case PSPlimIds::kLoadMesh: return {true, false};
    case PSPlimIds::kLoadLastMesh: return {state.lastMeshKept, false};
    default: return {false, false};
    }
}

PSPlimZoomButtons PSPlimZoomButtonsFor(bool canZoomIn, bool canZoomOut)
{
    return {canZoomIn, canZoomOut, canZoomOut};
}

PSPlimTooltip PSPlimTooltipFor(int id, const PSPlimStringLoader& loadString)
{
    PSPlimTooltip tip;
    for (const auto& [control, stringId] : kPSPlimZoomTooltips)
        if (control == id) {
            tip.kind = PSPlimTooltip::Kind::StringId;
            tip.stringId = stringId;
            return tip;
        }
    if (std::optional<std::string> text = HuxTooltipTip(loadString(id))) {
        tip.kind = PSPlimTooltip::Kind::Text;
        tip.text = std::move(*text);
    }
    return tip;
}

std::optional<uint32_t> PSPlimHelpTopic(const PSPlimHelpPair* table, int controlId)
{
    for (const PSPlimHelpPair* pair = table; pair->control != 0 || pair->topic != 0; ++pair)
        if (pair->control == uint32_t(controlId))
            return pair->topic;
    return std::nullopt;
}
