// The effect application: owns the parameters record and answers the
// selectors the effect adds to the filter framework.
#pragma once

#include "effect/PSPlimParameters.h"
#include "host/HuxPSFilter.h"

class CPSPlimPluginApp : public HuxPSFilter {
public:
    CPSPlimPluginApp();

    void About() override;
    void Start() override;

    int32_t GetParametersSize() const override;
    void SetParametersPointer(void* parameters) override;
    void SetDefaultParameters() override;
    void ValidateParameters() override;

    // The record inside the host's locked handle, or null.
    PSPlimParameters* Params() const { return m_params; }

    // Runs the modal editor; returns the dialog's result (1 OK, 2 Cancel).
    virtual int RunEditor();

private:
    PSPlimParameters* m_params = nullptr;
};
