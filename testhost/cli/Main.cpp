// squelm-host: runs the filter plug-in on a PNG image the way a host does.
#include <exception>
#include <iostream>
#include <optional>

#include "testhost/OwnerWindow.h"
#include "testhost/PluginLoader.h"
#include "testhost/PngIO.h"
#include "testhost/TestHost.h"
#include "testhost/cli/CommandLine.h"
#include "testhost/cli/ParametersPrinter.h"
#include "testhost/cli/RunReport.h"
#include "testhost/cli/ScriptedEditing.h"

namespace {

using SquelmHostCli::CommandLine;

enum ExitCode { kSuccess = 0, kPluginFailed = 1, kUsage = 2, kHostFailed = 3 };

int RunImage(const CommandLine& line, SquelmHost::TestHost& host)
{
    host.SetImage(SquelmHost::LoadRgbPng(line.inputPath));
    if (!line.maskPath.empty())
        host.SetMask(SquelmHost::LoadGreyPng(line.maskPath));
    host.Options().filterRect = line.filterRect;
    host.Options().bigDocument = !line.oldHost;
    std::optional<SquelmHostCli::ScriptedEditing> scripted;
    if (!line.scriptPath.empty())
        scripted.emplace(line.scriptPath);

    SquelmHost::RunOptions run;
    run.callParameters = !line.skipParametersSelector;
    const SquelmHost::RunResult result = host.RunFilter(run);
    SquelmHostCli::PrintSelectors(std::cout, host.Log());
    SquelmHostCli::PrintRunSummary(std::cout, host, result);
    // The host keeps the parameters whatever the outcome.
    if (!line.parametersPath.empty())
        host.SaveParameters(line.parametersPath);
    if (!result.Succeeded())
        return result.hostError.empty() ? kPluginFailed : kHostFailed;
    SquelmHost::SaveRgbPng(line.outputPath, host.Image());
    return kSuccess;
}

int Run(const CommandLine& line)
{
    std::string error;
    const PS::PluginEntry entry = LoadPluginEntry(line.pluginPath, error);
    if (!entry) {
        std::cerr << "squelm-host: " << error << "\n";
        return kHostFailed;
    }
    SquelmHost::TestHost host(entry);
    const SquelmHost::OwnerWindow owner;
    host.Options().ownerWindow = owner.Handle();
    if (!line.parametersPath.empty() && !host.LoadParameters(line.parametersPath))
        std::cout << "parameters: no file yet, the plug-in starts from its defaults\n";

    int code = kSuccess;
    if (line.about)
        code = host.CallAbout() == PS::noErr ? kSuccess : kPluginFailed;
    if (code == kSuccess && !line.inputPath.empty())
        code = RunImage(line, host);
    else
        SquelmHostCli::PrintSelectors(std::cout, host.Log());
    if (line.showParameters) {
        if (host.ParametersHandle())
            SquelmHostCli::PrintParameters(std::cout, host.ParameterBytes());
        else
            std::cout << "parameters: none\n";
    }
    if (line.showLog)
        host.Log().Print(std::cout);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const std::optional<CommandLine> line = SquelmHostCli::ParseCommandLine(argc, argv, error);
    if (!line) {
        std::cerr << "squelm-host: " << error << "\n" << SquelmHostCli::Usage();
        return kUsage;
    }
    try {
        return Run(*line);
    } catch (const std::exception& e) {
        std::cerr << "squelm-host: " << e.what() << "\n";
        return kHostFailed;
    }
}
