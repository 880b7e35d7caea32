// What squelm-host prints about a run: each selector with its result, the
// error text behind errReportString, and a summary of the host's services.
#pragma once

#include <iosfwd>

#include "testhost/TestHost.h"

namespace SquelmHostCli {

void PrintSelectors(std::ostream& out, const SquelmHost::CallLog& log);
void PrintRunSummary(std::ostream& out, const SquelmHost::TestHost& host, const SquelmHost::RunResult& result);

} // namespace SquelmHostCli
