// Natively there is no help viewer: a call shows nothing.
#include "HuxLib/HUXWIN/HuxHtmlHelpViewer.h"

void HuxShowHtmlHelp(const HuxHtmlHelpCall&) {}
