// The library's one exported function and its single application object.
#include "host/entry/PluginMain.h"

#include "host/PSHostInterface.h"

namespace {

CPSPlimPluginApp theApp;

} // namespace

CPSPlimPluginApp& TheApp() { return theApp; }

#ifdef _WIN32
#define SQUELM_EXPORT __declspec(dllexport)
#else
#define SQUELM_EXPORT
#endif

// Dispatch catches every failure itself; the noexcept is the last guard
// that nothing can unwind into the host.
extern "C" SQUELM_EXPORT void PS_CALLBACK PluginMain(int16_t selector, void* record, intptr_t* data,
                                                     int16_t* result) noexcept
{
    theApp.Dispatch(selector, record, data, result);
}
