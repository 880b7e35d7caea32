// Control, command and string ids of the editor dialog and the options
// dialog that the portable decisions refer to. The numbers are those of the
// resource header, which the dialog templates and the string table use.
#pragma once

#include "resources/ResourceIds.h"

namespace PSPlimIds {

// Toolbar commands.
constexpr int kUndo = ID_EDIT_UNDO_STROKE;
constexpr int kRedo = ID_EDIT_REDO_STROKE;
constexpr int kToggleGrid = ID_VIEW_TOGGLE_GRID;
constexpr int kShowToolRadius = ID_VIEW_TOOL_RADIUS;
constexpr int kPressureControlsPower = ID_PEN_PRESSURE;
constexpr int kFixedEdge = ID_EDGE_FIXED;
constexpr int kLockedEdge = ID_EDGE_LOCKED;
constexpr int kFreeEdge = ID_EDGE_FREE;
constexpr int kOptions = ID_EDIT_OPTIONS;
constexpr int kSaveMesh = ID_MESH_SAVE;
constexpr int kLoadMesh = ID_MESH_LOAD;
constexpr int kLoadLastMesh = ID_MESH_LOAD_LAST;

// Editor dialog controls.
constexpr int kZoomIn = IDC_ZOOM_IN;
constexpr int kLocator = IDC_ZOOM_LOCATOR;
constexpr int kZoomOut = IDC_ZOOM_OUT;
constexpr int kSizeSlider = IDC_TOOL_SIZE;
constexpr int kPowerSlider = IDC_TOOL_POWER;
constexpr int kEditorControl = IDC_EDITOR_CONTROL;

// Zoom strings.
constexpr int kZoomLocatorString = IDS_ZOOM_LOCATOR;
constexpr int kZoomInString = IDS_ZOOM_IN;
constexpr int kZoomOutString = IDS_ZOOM_OUT;

} // namespace PSPlimIds
