// Natively a fault is a bug the sanitizers report; nothing is translated.
#include "HuxLib/HUXUTIL/HuxSETranslator.h"

void HuxInstallFaultTranslator() {}

HuxFaultScope::HuxFaultScope() = default;

HuxFaultScope::~HuxFaultScope() = default;
