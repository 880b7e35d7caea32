// Test programs link this in place of the help viewer: the HTML Help calls
// the code under test makes go to the recorder a test sets.
#pragma once

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"

#include <functional>

using HelpRecorder = std::function<void(const HuxHtmlHelpCall&)>;
// Sends every later call to `recorder`; an empty recorder drops them.
void SetHelpRecorder(HelpRecorder recorder);
