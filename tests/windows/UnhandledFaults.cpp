// A fault that no test expects ends the program at once with the fault's
// code (the last "[ RUN ]" line names the test) instead of starting Wine's
// debugger, which could wait for a user.
#include "testhost/win32/UnhandledFaultExit.h"

namespace {

const bool g_installed = (SquelmHost::ExitOnUnhandledFault(), true);

} // namespace
