// Windows: a plug-in module loaded the way hosts load one, and what a test
// can read from a loaded module's image (resources, imports, exports).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/PSHostInterface.h"
#include "testhost/PluginPropertyList.h"

namespace SquelmHost {

struct PiPLResource {
    std::string type;            // the type name as stored in the module
    uint16_t id = 0;             // 0 when the resource has a string name
    uint16_t language = 0;
    std::vector<uint8_t> bytes;
};

struct PluginModule {
    void* module = nullptr;      // HMODULE; stays loaded unless unloaded below
    PiPLResource resource;       // the property list the entry was taken from
    PiPL list;
    std::string entryName;
    PS::PluginEntry entry = nullptr;
};

// Loads the library, finds its PiPL resources (type "PiPL" or "PIPL"),
// reads them stepping by the stated property lengths (as the strictest
// hosts do), takes the first filter that passes the host's checks and resolves its
// entry point ('wx86' or '8664', as this program's architecture reads) by
// name. Throws std::runtime_error saying which step
// failed and why.
PluginModule LoadPluginModule(const std::string& path);

// Releases the module (as a host does when it quits); `plugin` is then empty.
void UnloadPluginModule(PluginModule& plugin);

// Every PiPL resource of a loaded module, in every language.
std::vector<PiPLResource> PiPLResources(void* module);

// Names of the DLLs the module imports from, as its import table spells them.
std::vector<std::string> ImportedLibraries(void* module);
// Names the module exports.
std::vector<std::string> ExportedNames(void* module);
// The machine type in the module's file header (0x14C for x86, 0x8664 for x64).
uint16_t MachineType(void* module);

// Maps a path of the build machine ("/work/...") to one Windows programs
// under Wine can open ("Z:\work\..."); other paths are returned unchanged.
std::string WindowsPath(const std::string& path);

} // namespace SquelmHost
