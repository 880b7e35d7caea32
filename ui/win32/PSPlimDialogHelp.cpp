#include "ui/win32/PSPlimDialogHelp.h"

#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "host/HuxPSFilter.h"

namespace {

// HTML Help reads the table as plain pairs of 32-bit ids.
const uint32_t* AsIdTable(const PSPlimHelpPair* table) { return &table->control; }

} // namespace

namespace PSPlimDialogHelp {

BOOL ShowControlHelp(const HuxPSFilter& filter, const HELPINFO* info, const char* popupFile,
                     const PSPlimHelpPair* table)
{
    if (info && info->iContextType == HELPINFO_WINDOW)
        filter.ShowControlHelp(reinterpret_cast<intptr_t>(info->hItemHandle), popupFile, AsIdTable(table));
    return TRUE;
}

void ShowWhatsThisMenu(const HuxPSFilter& filter, const CWnd& dialog, POINT screenPoint, const char* popupFile,
                       const PSPlimHelpPair* table)
{
    filter.ShowWhatsThisMenu(reinterpret_cast<intptr_t>(dialog.m_hWnd), popupFile, AsIdTable(table),
                             {screenPoint.x, screenPoint.y});
}

} // namespace PSPlimDialogHelp
