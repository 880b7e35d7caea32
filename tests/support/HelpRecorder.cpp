#include "support/HelpRecorder.h"

#include "HuxLib/HUXWIN/HuxHtmlHelpViewer.h"

namespace {

HelpRecorder& Recorder()
{
    static HelpRecorder recorder;
    return recorder;
}

} // namespace

void SetHelpRecorder(HelpRecorder recorder) { Recorder() = std::move(recorder); }

void HuxShowHtmlHelp(const HuxHtmlHelpCall& call)
{
    if (Recorder())
        Recorder()(call);
}
