// Where the test finds the built plug-in: $SQUELM_PLUGIN if set, else the
// file the build produced (a path of the build machine, reached through
// Wine's drive Z:).
#pragma once

#include <cstdlib>
#include <string>

#include "testhost/win32/PluginModule.h"

inline std::string PluginFile()
{
    if (const char* overridden = std::getenv("SQUELM_PLUGIN"); overridden && *overridden)
        return overridden;
    return SquelmHost::WindowsPath(SQUELM_PLUGIN_FILE);
}
