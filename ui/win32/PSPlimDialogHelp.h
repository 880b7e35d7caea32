// Context help shared by the editor's dialogs: F1 on a control and the
// "What's This?" menu, each answered from the dialog's own help-id table
// and pop-up text file inside the filter's help file.
#pragma once

#include <windows.h>

#include "ui/PSPlimDialogModel.h"

class CWnd;
class HuxPSFilter;

namespace PSPlimDialogHelp {

// WM_HELP: the pop-up help of the control that asked, when the request is
// for a window. The message counts as handled either way.
BOOL ShowControlHelp(const HuxPSFilter& filter, const HELPINFO* info, const char* popupFile,
                     const PSPlimHelpPair* table);

// WM_CONTEXTMENU: the "What's This?" menu for the dialog's listed control
// under the screen point.
void ShowWhatsThisMenu(const HuxPSFilter& filter, const CWnd& dialog, POINT screenPoint, const char* popupFile,
                       const PSPlimHelpPair* table);

} // namespace PSPlimDialogHelp
