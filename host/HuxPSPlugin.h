// A host plug-in: the application object with one virtual operation per
// host selector, in the host's order. Each does nothing unless overridden.
#pragma once

#include "HuxLib/HUXWIN/CWinApp.h"

class HuxPSPlugin : public CWinApp {
public:
    HuxPSPlugin() = default;

    virtual void About() {}
    virtual void Parameters() {}
    virtual void Prepare() {}
    virtual void Start() {}
    virtual void Continue() {}
    virtual void Finish() {}
};
