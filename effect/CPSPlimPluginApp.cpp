#include "effect/CPSPlimPluginApp.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXUTIL/HuxSETranslator.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"

namespace {

constexpr const char* kAboutText = "About Plimp Effect";
constexpr const char* kParametersNotSet = "Parameters not set";

} // namespace

CPSPlimPluginApp::CPSPlimPluginApp() { HuxInstallFaultTranslator(); }

void CPSPlimPluginApp::About() { HuxMessageBox(OwnerWindow(), kAboutText, m_pszAppName, kHuxMbOk); }

void CPSPlimPluginApp::Start()
{
    if (RunEditor() != kHuxIdOk)
        throw HuxOSErr(PS::userCanceledErr);
}

int CPSPlimPluginApp::RunEditor() { return kHuxIdCancel; }

int32_t CPSPlimPluginApp::GetParametersSize() const { return sizeof(PSPlimParameters); }

void CPSPlimPluginApp::SetParametersPointer(void* parameters)
{
    m_params = static_cast<PSPlimParameters*>(parameters);
}

void CPSPlimPluginApp::SetDefaultParameters()
{
    if (!m_params)
        throw kParametersNotSet;
    PSPlimSetDefaultParameters(*m_params);
}

void CPSPlimPluginApp::ValidateParameters()
{
    if (m_params)
        PSPlimValidateParameters(*m_params);
}
