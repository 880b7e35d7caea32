// Translation of processor faults (access violations, integer division by
// zero) into thrown HuxSEException pointers. Only meaningful on Windows; the
// native build supplies no-ops.
#pragma once

// Installs the translator for the calling thread. Called when the
// application object is built on the thread that loads the library (first),
// and by each worker thread a HuxWorkerPool starts.
void HuxInstallFaultTranslator();

// Marks one selector call: faults are translated only while a scope is open
// on the thread the translator was installed for.
class HuxFaultScope {
public:
    HuxFaultScope();
    ~HuxFaultScope();
    HuxFaultScope(const HuxFaultScope&) = delete;
    HuxFaultScope& operator=(const HuxFaultScope&) = delete;
};
