// Natively there are no windows: a call names the file and topic as it is.
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "HuxLib/HUXWIN/HuxHtmlHelpViewer.h"

std::string HuxModuleFilePath(void*) { return {}; }

void HuxHtmlHelp(intptr_t window, const std::string& helpFile, std::string_view topic, unsigned command,
                 uintptr_t data)
{
    if (!helpFile.empty())
        HuxShowHtmlHelp({window, helpFile + std::string(topic), command, data});
}

void HuxShowWhatsThisMenu(intptr_t, const std::string&, std::string_view, const uint32_t*, HuxPointI) {}
