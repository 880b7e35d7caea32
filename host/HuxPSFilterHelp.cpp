// Context help for the filter's dialogs: every call names the help file
// that GetHelpFilePath gives and a topic inside it.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"

std::string HuxPSFilter::GetHelpFilePath() const { return {}; }

void HuxPSFilter::ShowHelpTopic(const char* topic) const
{
    HuxHtmlHelp(0, GetHelpFilePath(), topic ? topic : "", kHuxHelpDisplayTopic, 0);
}

void HuxPSFilter::ShowControlHelp(intptr_t window, const char* topic, const uint32_t* idTable) const
{
    HuxHtmlHelp(window, GetHelpFilePath(), topic ? topic : "", kHuxHelpWmHelp, reinterpret_cast<uintptr_t>(idTable));
}

void HuxPSFilter::ShowWhatsThisMenu(intptr_t dialog, const char* topic, const uint32_t* idTable,
                                    HuxPointI screenPoint) const
{
    HuxShowWhatsThisMenu(dialog, GetHelpFilePath(), topic ? topic : "", idTable, screenPoint);
}
