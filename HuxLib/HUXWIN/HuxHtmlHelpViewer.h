// Where the help layer hands a finished HTML Help call. The plug-in links
// the viewer of HuxLib/HUXWIN/viewer (HtmlHelpA on Windows, nothing
// natively); a program that wants to see the calls instead links its own
// definition in its place.
#pragma once

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"

void HuxShowHtmlHelp(const HuxHtmlHelpCall& call);
