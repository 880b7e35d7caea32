// Resource ids of the control library's test dialog (ControlLibraryTest.rc).
#pragma once

#define IDD_CONTROL_LIBRARY_TEST 120

#define IDC_SWATCH 1101
#define IDC_NUMBER 1102
#define IDC_OTHER 1103
