// The editor dialog's decisions: the tool boxes' rows, the sliders' positions
// and the values they write, the toolbar's and zoom buttons' states, the
// tooltip texts and the help tables of both dialogs.
#pragma once

#include "grid/PSPlimChoices.h"

#include "ui/PSPlimDialogIds.h"
#include "ui/PSPlimToolChoice.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class CPSPlimPluginApp;
struct PSPlimParameters;

// ---- Sliders -----------------------------------------------------------------
// The size slider's thumb drag switches the editor's size tracking on and
// off; none for other codes and for the power slider.
std::optional<bool> PSPlimSizeTrackingFor(int sliderId, int scrollCode);

// ---- Toolbar and zoom buttons --------------------------------------------------
// Command ids in button order; 0 is a separator.
inline constexpr std::array<int, 16> kPSPlimToolbarLayout = {
    PSPlimIds::kUndo,      PSPlimIds::kRedo,       0,
    PSPlimIds::kToggleGrid, PSPlimIds::kShowToolRadius, PSPlimIds::kPressureControlsPower, 0,
    PSPlimIds::kFixedEdge, PSPlimIds::kLockedEdge, PSPlimIds::kFreeEdge, 0,
    PSPlimIds::kSaveMesh,  PSPlimIds::kLoadMesh,   PSPlimIds::kLoadLastMesh, 0,
    PSPlimIds::kOptions};

// What the toolbar shows, read from the application.
struct PSPlimEditorState {
    bool canUndo = false;
    bool canRedo = false;
    bool showGrid = false;
    bool showToolRadius = false;
    bool pressureControlsPower = false;
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Fixed;
    bool lastMeshKept = false; // a grid of an earlier OK for Load Last Mesh
};
// The pressure toggle is the editor's own, kept for the user outside the
// parameters record (see PSPlimStroke).
PSPlimEditorState PSPlimEditorStateOf(const CPSPlimPluginApp& app, bool lastMeshKept, bool pressureControlsPower);

struct PSPlimCommandState {
    bool enabled = false;
    bool checked = false;

    bool operator==(const PSPlimCommandState&) const = default;
};
// A command without a handler is disabled.
PSPlimCommandState PSPlimToolbarCommandState(int commandId, const PSPlimEditorState& state);

struct PSPlimZoomButtons {
    bool zoomIn = false;
    bool zoomOut = false;
    bool locator = false;

    bool operator==(const PSPlimZoomButtons&) const = default;
};
PSPlimZoomButtons PSPlimZoomButtonsFor(bool canZoomIn, bool canZoomOut);

// ---- Tooltips --------------------------------------------------------------------
// The zoom buttons' tooltips: the whole string of the given id.
inline constexpr std::array<std::pair<int, int>, 3> kPSPlimZoomTooltips = {{
    {PSPlimIds::kLocator, PSPlimIds::kZoomLocatorString},
    {PSPlimIds::kZoomOut, PSPlimIds::kZoomOutString},
    {PSPlimIds::kZoomIn, PSPlimIds::kZoomInString},
}};

// A tooltip request's answer: nothing, a string id for the tooltip to load
// whole, or the tip of the command's string (the text after its first
// newline, cut to the request's buffer).
struct PSPlimTooltip {
    enum class Kind { None, StringId, Text };
    Kind kind = Kind::None;
    int stringId = 0;
    std::string text;
};
// Loads a string resource; empty when there is none.
using PSPlimStringLoader = std::function<std::string(int id)>;
// `id`: the control id of a window tool, else the tool id (a toolbar
// button's command).
PSPlimTooltip PSPlimTooltipFor(int id, const PSPlimStringLoader& loadString);

// ---- Help --------------------------------------------------------------------------
// {control id, help topic id} pairs ended by {0, 0}, as HTML Help reads them.
struct PSPlimHelpPair {
    uint32_t control;
    uint32_t topic;
};
static_assert(sizeof(PSPlimHelpPair) == 8);

inline constexpr std::array<PSPlimHelpPair, 17> kPSPlimDialogHelpIds = {{
    {9011, 9007}, {9007, 9007}, {9012, 9006}, {9006, 9006}, {9013, 9004}, {9004, 9004},
    {9014, 9005}, {9005, 9005}, {14, 9003},   {7010, 7010}, {7012, 7012}, {7004, 7004},
    {9025, 9025}, {1, 1},       {2, 2},       {9001, 9001}, {0, 0},
}};
inline constexpr const char* kPSPlimDialogWelcomeTopic = "::/Squelm/Welcome.htm";
inline constexpr const char* kPSPlimDialogPopupFile = "::/Text/SquelmDialog.txt";

inline constexpr std::array<PSPlimHelpPair, 18> kPSPlimOptionsHelpIds = {{
    {9027, 9008}, {9008, 9008}, {9028, 9009}, {9009, 9009}, {9026, 9026}, {9011, 9011},
    {9029, 9015}, {9015, 9015}, {9030, 9016}, {9016, 9016}, {9010, 9010}, {9020, 9020},
    {9023, 9023}, {9024, 9024}, {1, 1},       {2, 2},       {9001, 9001}, {0, 0},
}};
inline constexpr const char* kPSPlimOptionsWelcomeTopic = "::/Squelm/Options.htm";
inline constexpr const char* kPSPlimOptionsPopupFile = "::/Text/SquelmOptionsDialog.txt";

// The topic a control's help shows, from a help-id table; none for a
// control the table does not list.
std::optional<uint32_t> PSPlimHelpTopic(const PSPlimHelpPair* table, int controlId);
