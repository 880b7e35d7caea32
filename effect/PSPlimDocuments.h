// The documents Squelm works on. A kind enters the table when the warp and
// the final render handle it, together with its bits in the PIPL's `mode`
// and `enbl` (resources/PiPL.rc).
#pragma once

#include "host/HuxPSDocument.h"

// A document whose planes fit its mode and whose kind is in the table.
bool PSPlimTakesDocument(const HuxPSDocument& document);
