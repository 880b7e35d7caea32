// A function of user32.dll looked up when first asked for, so that a module
// using functions newer than the oldest system it supports still loads:
// null where the system lacks the function.
#pragma once

#include <windows.h>

template <class Function>
Function HuxUser32Function(const char* name)
{
    static const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}
