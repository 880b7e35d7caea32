// Inside the help layer: hands a call to the test's recorder, if one is set.
#pragma once

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"

// True when a recorder took the call (the viewer must then not be called).
bool HuxRecordHtmlHelp(const HuxHtmlHelpCall& call);
