// HtmlHelpA, looked up in hhctrl.ocx at run time: the library imports
// nothing from it, so a system without the viewer loads the plug-in and
// simply shows no help.
#include "HuxLib/HUXWIN/HuxHtmlHelpViewer.h"

#include <windows.h>

namespace {

using HtmlHelpAProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpAProc HtmlHelpA()
{
    // Loaded once and kept: the viewer's pop-ups outlive the call.
    static const HtmlHelpAProc proc = [] {
        HMODULE viewer = LoadLibraryA("hhctrl.ocx");
        return viewer ? reinterpret_cast<HtmlHelpAProc>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")))
                      : nullptr;
    }();
    return proc;
}

} // namespace

void HuxShowHtmlHelp(const HuxHtmlHelpCall& call)
{
    if (HtmlHelpAProc viewer = HtmlHelpA())
        viewer(reinterpret_cast<HWND>(call.window), call.path.c_str(), call.command, call.data);
}
