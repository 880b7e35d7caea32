// Resource ids of the window framework's test dialog (FrameworkTest.rc).
#pragma once

#define IDD_FRAMEWORK_TEST 100
#define IDD_INNER_TEST 101
#define IDR_TEST_TOOLBAR 200
#define IDB_TEST_IMAGES 210

#define IDC_CHECK 1001
#define IDC_RADIO_FIRST 1002
#define IDC_RADIO_SECOND 1003
#define IDC_RADIO_THIRD 1004
#define IDC_AFTER_GROUP 1005
#define IDC_EDIT 1006
#define IDC_COMBO 1007
#define IDC_SLIDER 1008
#define IDC_SPIN 1009
#define IDC_TOOLBAR_PLACE 1010
#define IDC_BLACK_BOX 1011
#define IDC_ACTION 1012
#define IDC_TOOLBAR 1013

#define ID_TOOL_DISABLED 301
#define ID_TOOL_CHECKED 302
#define ID_TOOL_UNCHECKED 303
#define ID_TOOL_UNHANDLED 304

#define IDS_NO_NEWLINE 305
