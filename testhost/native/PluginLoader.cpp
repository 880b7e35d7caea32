#include "testhost/PluginLoader.h"

extern "C" void PluginMain(int16_t selector, void* record, intptr_t* data, int16_t* result);

// Natively the plug-in is linked into the host's process; there is no file
// to load, so the path is not used.
PS::PluginEntry LoadPluginEntry(const std::string&, std::string& error)
{
    error.clear();
    return &PluginMain;
}
