// The library's single application object, for the test host and tests.
#pragma once

#include "effect/CPSPlimPluginApp.h"

CPSPlimPluginApp& TheApp();
