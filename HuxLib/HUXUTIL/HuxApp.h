// Per-thread application record of the support library: library code that
// has an error to report asks GetHUXAPP() for its thread's record and, when
// there is one, reports through it.
#pragma once

#include <cstdint>

class HuxApp {
public:
    HuxApp() = default;
    // Unregisters itself if it is still registered.
    virtual ~HuxApp();
    HuxApp(const HuxApp&) = delete;
    HuxApp& operator=(const HuxApp&) = delete;

    // Error hook; the default reports nothing.
    virtual void ReportError(int32_t code, int32_t detail);

    // Makes this the record of the calling thread (replacing any other).
    void Register();
    // Removes this record from every thread it is registered for.
    void Unregister();
};

// The calling thread's record, or null when none is registered.
HuxApp* GetHUXAPP();
