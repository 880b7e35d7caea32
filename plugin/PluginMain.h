// The library's entry point and its single application object, which the
// library's load wires to its module and its editor (and which a host that
// links the plug-in in-process reaches the same way).
#pragma once

#include "effect/CPSPlimPluginApp.h"
#include "host/PSHostInterface.h"

#include <cstdint>

#ifdef _WIN32
#define SQUELM_EXPORT __declspec(dllexport)
#else
#define SQUELM_EXPORT
#endif

extern "C" SQUELM_EXPORT void PS_CALLBACK PluginMain(int16_t selector, void* record, intptr_t* data, int16_t* result);

CPSPlimPluginApp& TheApp();
