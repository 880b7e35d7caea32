// Context help of the editor's two dialogs: the topic of the manual that
// the Help button opens, the pop-up text file of the help file, and the
// help-ID map that names the pop-up for each control (the id of a label
// gives the topic of the control it names). Each map ends with {0, 0}, as
// HTML Help expects of the table it is given.
#ifndef SQUELM_UI_PSPLIMHELPMAPS_H
#define SQUELM_UI_PSPLIMHELPMAPS_H

#include <cstdint>

#include "resources/ResourceIds.h"

struct PSPlimHelpIdPair {
    uint32_t controlId;
    uint32_t topicId;
};

inline constexpr const char* kEditorHelpTopic = "::/Squelm/Welcome.htm";
inline constexpr const char* kEditorPopupFile = "::/Text/SquelmDialog.txt";
inline constexpr PSPlimHelpIdPair kEditorHelpIds[] = {
    {IDC_LEFT_TOOL_LABEL, IDC_LEFT_TOOL},     {IDC_LEFT_TOOL, IDC_LEFT_TOOL},
    {IDC_RIGHT_TOOL_LABEL, IDC_RIGHT_TOOL},   {IDC_RIGHT_TOOL, IDC_RIGHT_TOOL},
    {IDC_TOOL_SIZE_LABEL, IDC_TOOL_SIZE},     {IDC_TOOL_SIZE, IDC_TOOL_SIZE},
    {IDC_TOOL_POWER_LABEL, IDC_TOOL_POWER},   {IDC_TOOL_POWER, IDC_TOOL_POWER},
    {IDC_EDITOR_CONTROL, IDC_EDITOR_FRAME},   {IDC_ZOOM_IN, IDC_ZOOM_IN},
    {IDC_ZOOM_LOCATOR, IDC_ZOOM_LOCATOR},     {IDC_ZOOM_OUT, IDC_ZOOM_OUT},
    {IDC_ZOOM_RATIO, IDC_ZOOM_RATIO},         {1, 1},
    {2, 2},                                   {IDC_HELP_BUTTON, IDC_HELP_BUTTON},
    {0, 0},
};

inline constexpr const char* kOptionsHelpTopic = "::/Squelm/Options.htm";
inline constexpr const char* kOptionsPopupFile = "::/Text/SquelmOptionsDialog.txt";
inline constexpr PSPlimHelpIdPair kOptionsHelpIds[] = {
    {IDC_GRID_COLOUR_LABEL, IDC_GRID_COLOUR},     {IDC_GRID_COLOUR, IDC_GRID_COLOUR},
    {IDC_TOOL_COLOUR_LABEL, IDC_TOOL_COLOUR},     {IDC_TOOL_COLOUR, IDC_TOOL_COLOUR},
    {IDC_KNOCKOUT, IDC_KNOCKOUT},                 {IDC_KNOCKOUT_COLOUR, IDC_KNOCKOUT_COLOUR},
    {IDC_POINTS_ACROSS_LABEL, IDC_POINTS_ACROSS}, {IDC_POINTS_ACROSS, IDC_POINTS_ACROSS},
    {IDC_POINTS_DOWN_LABEL, IDC_POINTS_DOWN},     {IDC_POINTS_DOWN, IDC_POINTS_DOWN},
    {IDC_INTERPOLATION, IDC_INTERPOLATION},       {IDC_REPEAT_EDGE_PIXELS, IDC_REPEAT_EDGE_PIXELS},
    {IDC_USE_EDGE_COLOUR, IDC_USE_EDGE_COLOUR},   {IDC_EDGE_COLOUR, IDC_EDGE_COLOUR},
    {1, 1},                                       {2, 2},
    {IDC_HELP_BUTTON, IDC_HELP_BUTTON},           {0, 0},
};

#endif
