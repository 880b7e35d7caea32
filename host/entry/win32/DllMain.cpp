// The library's Windows entry: records the module handle, which resources and
// the help file are found through. Nothing else may run here (loader lock).
#include <windows.h>

#include "host/entry/PluginMain.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        TheApp().m_hInstance = instance;
    return TRUE;
}
