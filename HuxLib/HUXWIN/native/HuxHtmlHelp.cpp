// Natively there is no help viewer and there are no windows: calls reach
// only a test's recorder.
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "HuxLib/HUXWIN/HuxHtmlHelpRecorder.h"

std::string HuxModuleFilePath(void*) { return {}; }

void HuxHtmlHelp(intptr_t window, const std::string& helpFile, std::string_view topic, unsigned command,
                 uintptr_t data)
{
    if (!helpFile.empty())
        HuxRecordHtmlHelp({window, helpFile + std::string(topic), command, data});
}

void HuxShowWhatsThisMenu(intptr_t, const std::string&, std::string_view, const uint32_t*, HuxPointI) {}
