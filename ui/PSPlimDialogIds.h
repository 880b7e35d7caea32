// Control, command and string ids of the editor dialog and the options
// dialog that the portable decisions refer to; the dialog templates and the
// string table use the same numbers.
#pragma once

namespace PSPlimIds {

// Toolbar commands.
constexpr int kUndo = 57643;
constexpr int kRedo = 57644;
constexpr int kToggleGrid = 32776;
constexpr int kShowToolRadius = 32779;
constexpr int kFixedEdge = 32782;
constexpr int kLockedEdge = 32783;
constexpr int kFreeEdge = 32784;
constexpr int kOptions = 32781;

// Editor dialog controls.
constexpr int kZoomIn = 7010;
constexpr int kLocator = 7012;
constexpr int kZoomOut = 7004;
constexpr int kSizeSlider = 9004;
constexpr int kPowerSlider = 9005;
constexpr int kEditorControl = 14;

// Zoom strings.
constexpr int kZoomLocatorString = 150;
constexpr int kZoomInString = 151;
constexpr int kZoomOutString = 152;

} // namespace PSPlimIds
