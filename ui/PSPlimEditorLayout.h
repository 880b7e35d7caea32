// Where each control of the editor dialog goes when the dialog is resized:
// the toolbar row, the tool boxes and the sliders stay at the top left, the
// grid editor control takes all the extra room, the zoom buttons and ratio
// keep to the bottom left and OK, Cancel and Help to the bottom right.
#pragma once

#include "HuxLib/HUXWIN/HuxAnchorLayout.h"

HuxAnchor PSPlimEditorAnchor(int controlId);
