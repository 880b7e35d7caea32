// Moves a dialog to where HuxDialogPlacement puts it: centred on its owner
// when the owner is a visible, restored window, else in the work area of
// the monitor nearest the owner (the primary one without an owner).
#pragma once

#include <windows.h>

void HuxCentreDialog(HWND dialog, HWND owner);
