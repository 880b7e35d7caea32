// squelm-host: runs the filter plug-in on a PNG image the way a host does.
#include <exception>
#include <iostream>
#include <optional>

#include "testhost/AddressSpace.h"
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

// Runs `save`; a failure is reported and turns the exit code into kHostFailed.
template <typename Save>
void SaveReporting(Save save, int& code)
{
    try {
        save();
    } catch (const std::exception& e) {
        std::cerr << "squelm-host: " << e.what() << "\n";
        code = kHostFailed;
    }
}

int RunImage(const CommandLine& line, SquelmHost::TestHost& host)
{
    host.SetImage(SquelmHost::LoadPng(line.inputPath, line.document));
    if (!line.maskPath.empty())
        host.SetMask(SquelmHost::LoadGreyPng(line.maskPath));
    host.Options().filterRect = line.filterRect;
    std::optional<SquelmHostCli::ScriptedEditing> scripted;
    if (!line.scriptPath.empty())
        scripted.emplace(line.scriptPath, host);

    SquelmHost::RunOptions run;
    run.callParameters = !line.skipParametersSelector;
    const SquelmHost::RunResult result = host.RunFilter(run);
    SquelmHostCli::PrintSelectors(std::cout, host.Log());
    SquelmHostCli::PrintRunSummary(std::cout, host, result);
    if (scripted)
        scripted->Finish(std::cout);
    int code = result.Succeeded() ? kSuccess : result.hostError.empty() ? kPluginFailed : kHostFailed;
    // Each file is written whatever became of the other; the host keeps
    // the parameters whatever the outcome of the run.
    if (result.Succeeded())
        SaveReporting([&] { SquelmHost::SavePng(line.outputPath, host.Image()); }, code);
    if (!line.parametersPath.empty())
        SaveReporting([&] { host.SaveParameters(line.parametersPath); }, code);
    return code;
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
    host.Options() = line.hostBehaviour;
    if (!line.noOwnerWindow)
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
    // A 64-bit plug-in that cuts a pointer to 32 bits then fails here too.
    SquelmHost::ReserveLowAddressSpace();
    std::string error;
    const std::optional<CommandLine> line = SquelmHostCli::ParseCommandLine(argc, argv, error);
    if (!line) {
        std::cerr << "squelm-host: " << error << "\n(squelm-host --help lists the options)\n";
        return kUsage;
    }
    if (line->help) {
        std::cout << SquelmHostCli::Usage();
        return kSuccess;
    }
    try {
        return Run(*line);
    } catch (const std::exception& e) {
        std::cerr << "squelm-host: " << e.what() << "\n";
        return kHostFailed;
    }
}
