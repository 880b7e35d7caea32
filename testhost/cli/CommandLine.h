// The squelm-host command line.
#pragma once

#include <optional>
#include <string>

#include "testhost/CallLog.h"

namespace SquelmHostCli {

struct CommandLine {
    std::string pluginPath = "Squelm.8bf"; // only read where the plug-in is a file
    std::string parametersPath;            // loaded before, saved after the run
    std::string maskPath;
    std::string scriptPath;                // stroke script played as the editor (native only)
    std::optional<SquelmHost::Rect32> filterRect;
    bool about = false;
    bool showParameters = false;
    bool showLog = false;
    bool skipParametersSelector = false;
    bool oldHost = false;                  // no 32-bit coordinates
    std::string inputPath;
    std::string outputPath;
};

// Parses argv; on failure returns nothing and describes the problem.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& error);

const char* Usage();

} // namespace SquelmHostCli
