// Finds the plug-in's entry point: natively the plug-in is linked in-process,
// on Windows it is loaded from the 8BF file.
#pragma once

#include <string>

#include "host/PSHostInterface.h"

// Returns null and fills `error` when the plug-in cannot be loaded.
PS::PluginEntry LoadPluginEntry(const std::string& pluginPath, std::string& error);
