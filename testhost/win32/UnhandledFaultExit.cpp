#include "testhost/win32/UnhandledFaultExit.h"

#include <windows.h>

namespace SquelmHost {

namespace {

LONG WINAPI ExitWithFaultCode(EXCEPTION_POINTERS* pointers)
{
    TerminateProcess(GetCurrentProcess(), pointers->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void ExitOnUnhandledFault()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(&ExitWithFaultCode);
}

} // namespace SquelmHost
