#include "testhost/cli/RunReport.h"

#include <ostream>

namespace SquelmHostCli {

using SquelmHost::EventKind;

void PrintSelectors(std::ostream& out, const SquelmHost::CallLog& log)
{
    for (const SquelmHost::HostEvent& e : log.Events()) {
        if (e.kind == EventKind::About) {
            out << "About: " << e.result << "\n";
        } else if (e.kind == EventKind::Selector) {
            out << SquelmHost::SelectorName(e.selector) << ": " << e.result;
            if (e.result == PS::errReportString)
                out << " \"Cannot complete operation because " << e.text << "\"";
            out << "\n";
        }
    }
}

void PrintRunSummary(std::ostream& out, const SquelmHost::TestHost& host, const SquelmHost::RunResult& result)
{
    const SquelmHost::CallLog& log = host.Log();
    const auto progress = log.OfKind(EventKind::Progress);
    out << "progress: " << progress.size() << " reports";
    if (!progress.empty())
        out << ", last " << progress.back().value << "/" << progress.back().value2;
    out << "\n";
    out << "advanceState: " << log.Count(EventKind::AdvanceState) << " calls, "
        << log.Count(EventKind::OutputStored) << " output tiles stored, " << log.Count(EventKind::AbortPoll)
        << " abort polls\n";
    if (host.PaddingViolations() > 0)
        out << "warning: the plug-in wrote " << host.PaddingViolations() << " bytes past its output rows\n";
    if (host.CallsAfterAdvanceStateError() > 0)
        out << "warning: advanceState was called " << host.CallsAfterAdvanceStateError()
            << " times after it had failed\n";
    if (!result.hostError.empty())
        out << "host error: " << result.hostError << "\n";
    out << (result.Succeeded() ? "result: success" : "result: failed") << "\n";
}

} // namespace SquelmHostCli
