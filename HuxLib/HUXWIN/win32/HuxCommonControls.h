// What every window of the framework shares: the module whose resources it
// loads, the framework's own window class, the common controls and the
// visual-style context.
#pragma once

#include <windows.h>

// The module that holds the framework's code, and so its resources: the
// plug-in's file (or a test program), never the host's.
HMODULE HuxResourceModule();

// The framework's own window class, registered on first use and
// unregistered when the module goes (a host may load the plug-in again at
// another address, and a class left behind would point into freed code).
const char* HuxWindowClassName();

// Initialises the common controls once per process, inside the
// visual-style context so that their current versions are registered.
void HuxEnsureCommonControls();

// Activates, for its life, the activation context of the module's manifest
// (resource 2, the isolation-aware one), so that windows created meanwhile
// use Common Controls 6, whatever the host's own manifest says. Without the
// manifest (or the system's support) it does nothing.
class HuxVisualStyleScope {
public:
    HuxVisualStyleScope();
    ~HuxVisualStyleScope();
    HuxVisualStyleScope(const HuxVisualStyleScope&) = delete;
    HuxVisualStyleScope& operator=(const HuxVisualStyleScope&) = delete;

    bool Active() const { return m_cookie != 0; }

private:
    ULONG_PTR m_cookie = 0;
};
