// Windows: a process whose fault nobody handles ends at once, with the
// fault's code as its exit code. Without this, Wine starts its debugger and
// may show a crash dialog; tests of faults that must stay unhandled, and a
// host that must report a crashing plug-in, need the plain exit.
#pragma once

namespace SquelmHost {

void ExitOnUnhandledFault();

} // namespace SquelmHost
