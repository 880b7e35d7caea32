// The library's Windows entry: records the module handle, which resources and
// the help file are found through, and installs the editor dialog as the
// editor that Start runs. Nothing else may run here (loader lock): both are
// plain stores.
#include <windows.h>

#include "plugin/PluginMain.h"
#include "ui/win32/PSPlimWindowEditor.h"

namespace {

PSPlimWindowEditor theEditor;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        TheApp().m_hInstance = instance;
        TheApp().SetEditor(&theEditor);
    }
    return TRUE;
}
