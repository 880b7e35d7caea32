// The squelm-host command line.
#pragma once

#include <optional>
#include <string>

#include "testhost/CallLog.h"
#include "testhost/HostOptions.h"
#include "testhost/PngIO.h"

namespace SquelmHostCli {

struct CommandLine {
    std::string pluginPath = "Squelm.8bf"; // only read where the plug-in is a file
    std::string parametersPath;            // loaded before, saved after the run
    std::string maskPath;
    std::string scriptPath;                // stroke script played as the editor (native only)
    std::optional<SquelmHost::Rect32> filterRect;
    bool help = false;
    bool about = false;
    bool showParameters = false;
    bool showLog = false;
    bool skipParametersSelector = false;
    bool noOwnerWindow = false;
    SquelmHost::HostOptions hostBehaviour; // the quirks and faults chosen on the command line
    SquelmHost::PngDocument document;      // what the input PNG becomes
    std::string inputPath;
    std::string outputPath;
};

// Parses argv; on failure returns nothing and describes the problem.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& error);

// Every option, the host-behaviour ones included.
std::string Usage();

} // namespace SquelmHostCli
