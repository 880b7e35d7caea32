// The library's one exported function and its single application object.
#include "plugin/PluginMain.h"

namespace {

CPSPlimPluginApp theApp;

} // namespace

CPSPlimPluginApp& TheApp() { return theApp; }

extern "C" SQUELM_EXPORT void PS_CALLBACK PluginMain(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    // Dispatch turns every failure into the result word itself; this is the
    // last guard that nothing can ever unwind into the host.
    try {
        theApp.Dispatch(selector, record, data, result);
    }
    catch (...) {
        if (result)
            *result = -1;
    }
}
