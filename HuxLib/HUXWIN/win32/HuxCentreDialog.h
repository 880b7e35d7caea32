// Moves a dialog to where HuxDialogPlacement puts it: centred on its owner
// when the owner is a visible, restored window, else in the work area of
// the monitor nearest the owner (the primary one without an owner).
#pragma once

#include <windows.h>

#include <optional>

#include "HuxLib/HuxGeometry/HuxRect.h"

void HuxCentreDialog(HWND dialog, HWND owner);

// The owner's window rectangle while it is a visible, restored window.
std::optional<HuxRect> HuxUsableOwnerRect(HWND owner);
// The work area of the monitor nearest the owner (the primary one without
// an owner); none if the system cannot say.
std::optional<HuxRect> HuxOwnerWorkArea(HWND owner);
