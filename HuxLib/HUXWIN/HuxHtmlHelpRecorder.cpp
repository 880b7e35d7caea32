// The recorder seam shared by both platforms' help calls.
#include "HuxLib/HUXWIN/HuxHtmlHelpRecorder.h"

namespace {

HuxHtmlHelpRecorder& Recorder()
{
    static HuxHtmlHelpRecorder recorder;
    return recorder;
}

} // namespace

void HuxSetHtmlHelpRecorder(HuxHtmlHelpRecorder recorder) { Recorder() = std::move(recorder); }

bool HuxRecordHtmlHelp(const HuxHtmlHelpCall& call)
{
    if (!Recorder())
        return false;
    Recorder()(call);
    return true;
}
