// What the plug-in says about itself: the About box's text and the build
// label the editor keeps, both from the one version and this build's date.
#pragma once

#include <string>

// Three lines: name and version, maker, build date ("Built 9 Dec 2026").
std::string PSPlimAboutText();

// "<Release|Debug> <version> (<date> <time>)", in the compiler's own date
// format, e.g. "Release 1.1.0 (Dec  9 2026 12:51:28)".
std::string PSPlimBuildLabel();
