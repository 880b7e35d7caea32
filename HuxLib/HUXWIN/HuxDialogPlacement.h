// Where a dialog opens: centred on its owner's window, kept whole inside the
// work area of the monitor it lands on. Without a usable owner (none, a
// minimised or hidden one, or an empty rectangle) it is centred in the work
// area.
#pragma once

#include <optional>

#include "HuxLib/HuxGeometry/HuxRect.h"

// dialog: the dialog's window rectangle as created (only its size counts);
// owner: the owner's window rectangle when it has a usable one; workArea:
// the work area of the monitor nearest the owner (or the primary one).
HuxRect HuxDialogPlacement(const HuxRect& dialog, const std::optional<HuxRect>& owner, const HuxRect& workArea);
