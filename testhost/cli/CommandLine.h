// The squelm-host command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "testhost/CallLog.h"
#include "testhost/HostOptions.h"
#include "testhost/PngIO.h"

namespace SquelmHostCli {

struct CommandLine {
    std::string pluginPath = "Squelm.8bf"; // only read where the plug-in is a file
    std::string parametersPath;            // loaded before, saved after the run
    std::string maskPath;
    std::string scriptPath;                // stroke script played as the editor (native only)
    std::string meshPath;                  // saved mesh applied in place of the editor
    std::string saveMeshPath;              // where the mesh of the run goes
    std::string recordPath;                // where the step the run recorded in the host's actions goes
    std::string playPath;                  // a recorded step the host plays
    int16_t playInfo = 2;                  // how it plays it (PS::playSilent)
    bool corruptDescriptor = false;        // the step is damaged before it is played
    std::optional<SquelmHost::Rect32> filterRect;
    bool help = false;
    bool about = false;
    bool showParameters = false;
    bool showLog = false;
    bool skipParametersSelector = false;
    bool noOwnerWindow = false;
    SquelmHost::HostOptions hostBehaviour; // the quirks and faults chosen on the command line
    SquelmHost::PngDocument document;      // what each input PNG becomes
    std::vector<std::string> inputPaths;
    std::string outputPath; // the output image, or the folder of several
};

// Parses argv; on failure returns nothing and describes the problem.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& error);

// Every option, the host-behaviour ones included.
std::string Usage();

} // namespace SquelmHostCli
