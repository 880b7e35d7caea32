// Identifiers of the editor's resources: dialog templates and their controls,
// the toolbar and its commands, bitmaps, the pan cursor and the string table.
// Plain #defines, so that the resource compiler and C++ read the same file;
// nothing here needs <windows.h>.
#ifndef SQUELM_RESOURCES_RESOURCEIDS_H
#define SQUELM_RESOURCES_RESOURCEIDS_H

// ---- Main editor dialog ------------------------------------------------------
#define IDD_SQUELM_EDITOR           9000
#define IDC_TOOLBAR_PLACEHOLDER     9002
#define IDC_STATUS_LABEL            7015
#define IDC_LEFT_TOOL_LABEL         9011
#define IDC_LEFT_TOOL               9007
#define IDC_RIGHT_TOOL_LABEL        9012
#define IDC_RIGHT_TOOL              9006
#define IDC_TOOL_SIZE_LABEL         9013
#define IDC_TOOL_SIZE               9004
#define IDC_TOOL_POWER_LABEL        9014
#define IDC_TOOL_POWER              9005
#define IDC_EDITOR_FRAME            9003
#define IDC_ZOOM_IN                 7010
#define IDC_ZOOM_LOCATOR            7012
#define IDC_ZOOM_OUT                7004
#define IDC_ZOOM_RATIO              9025
#define IDC_HELP_BUTTON             9001
// Created at run time, not in the template.
#define IDC_EDITOR_TOOLBAR          13
#define IDC_EDITOR_CONTROL          14
#define IDC_TOOLBAR_SEPARATOR       15

// ---- Options dialog ----------------------------------------------------------
#define IDD_SQUELM_OPTIONS          9004
#define IDC_GRID_COLOUR_LABEL       9027
#define IDC_GRID_COLOUR             9008
#define IDC_TOOL_COLOUR_LABEL       9028
#define IDC_TOOL_COLOUR             9009
#define IDC_POINTS_ACROSS_LABEL     9029
#define IDC_POINTS_ACROSS           9015
#define IDC_POINTS_DOWN_LABEL       9030
#define IDC_POINTS_DOWN             9016
#define IDC_INTERPOLATION           9010
#define IDC_KNOCKOUT                9026
#define IDC_KNOCKOUT_COLOUR         9011
#define IDC_REPEAT_EDGE_PIXELS      9020
#define IDC_USE_EDGE_COLOUR         9023
#define IDC_TRANSPARENT_EDGE        9031
#define IDC_EDGE_COLOUR             9024
// Group boxes: no control of their own.
#define IDC_NO_CONTROL              (-1)

// ---- Toolbar, its commands and its bitmap ------------------------------------
#define IDR_EDITOR_TOOLBAR          9001
#define ID_EDIT_UNDO_STROKE         57643
#define ID_EDIT_REDO_STROKE         57644
#define ID_VIEW_TOGGLE_GRID         32776
#define ID_VIEW_TOOL_RADIUS         32779
#define ID_EDGE_FIXED               32782
#define ID_EDGE_LOCKED              32783
#define ID_EDGE_FREE                32784
#define ID_EDIT_OPTIONS             32781
#define ID_MESH_SAVE                32785
#define ID_MESH_LOAD                32786
#define ID_MESH_LOAD_LAST           32787
#define ID_PEN_PRESSURE             32788
// The toolbar resource's type (MFC's RT_TOOLBAR).
#define RT_SQUELM_TOOLBAR           241

// ---- Other bitmaps and the cursor --------------------------------------------
#define IDB_TOOL_IMAGES             9003
#define IDB_ZOOM_IN                 8001
#define IDB_ZOOM_OUT                8002
#define IDB_ZOOM_LOCATOR            8003
// The same pictures drawn at 150 % and 200 % (the toolbar's 100 % bitmap
// is IDR_EDITOR_TOOLBAR, which its layout needs).
#define IDB_TOOLBAR_150             9101
#define IDB_TOOL_IMAGES_150         9103
#define IDB_ZOOM_IN_150             8101
#define IDB_ZOOM_OUT_150            8102
#define IDB_ZOOM_LOCATOR_150        8103
#define IDB_TOOLBAR_200             9201
#define IDB_TOOL_IMAGES_200         9203
#define IDB_ZOOM_IN_200             8201
#define IDB_ZOOM_OUT_200            8202
#define IDB_ZOOM_LOCATOR_200        8203
#define IDC_PAN_CURSOR              9005

// ---- Strings -----------------------------------------------------------------
// Tool names. The ids follow the tool image strip's order, not the tool ids
// (tool 2 is Revert, tool 4 Boggle): the tool table pairs them.
#define IDS_TOOL_SQUELM             100
#define IDS_TOOL_MELLOW             101
#define IDS_TOOL_BOGGLE             102
#define IDS_TOOL_STABILISE          103
#define IDS_TOOL_REVERT             104
#define IDS_TOOL_NIBBLE             105
#define IDS_ZOOM_LOCATOR            150
#define IDS_ZOOM_IN                 151
#define IDS_ZOOM_OUT                152

#endif
