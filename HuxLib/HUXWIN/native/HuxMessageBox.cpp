// Native message box: nobody can click, so the call is logged and answered OK.
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"

namespace {

std::vector<HuxMessageRecord>& Log()
{
    static std::vector<HuxMessageRecord> log;
    return log;
}

} // namespace

int HuxMessageBox(intptr_t ownerWindow, const char* text, const char* caption, unsigned flags)
{
    Log().push_back({ownerWindow, text ? text : "", caption ? caption : "", flags});
    return kHuxIdOk;
}

const std::vector<HuxMessageRecord>& HuxMessageLog() { return Log(); }

void HuxClearMessageLog() { Log().clear(); }
