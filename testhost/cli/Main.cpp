// squelm-host: runs the filter plug-in on a PNG image the way a host does.
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/PSPlimMeshFile.h"
#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "testhost/AddressSpace.h"
#include "testhost/DescriptorSession.h"
#include "testhost/OwnerWindow.h"
#include "testhost/PluginLoader.h"
#include "testhost/PngIO.h"
#include "testhost/TestHost.h"
#include "testhost/cli/CommandLine.h"
#include "testhost/cli/ImageJobs.h"
#include "testhost/cli/MeshEditing.h"
#include "testhost/cli/ParametersPrinter.h"
#include "testhost/cli/RunReport.h"
#include "testhost/cli/ScriptedEditing.h"

namespace {

using SquelmHostCli::CommandLine;

enum ExitCode { kSuccess = 0, kPluginFailed = 1, kUsage = 2, kHostFailed = 3 };

// Runs `step`; a failure is reported and turns the exit code into kHostFailed.
template <typename Step>
void RunReporting(Step step, int& code)
{
    try {
        step();
    } catch (const std::exception& e) {
        std::cerr << "squelm-host: " << e.what() << "\n";
        code = kHostFailed;
    }
}

void SaveRecordedStep(const std::string& path, SquelmHost::TestHost& host)
{
    const std::optional<SquelmHost::Descriptor>& step = host.Descriptors().Recorded();
    if (!step)
        throw std::runtime_error("--record: the plug-in recorded nothing in the host's actions");
    HuxWriteFile(path, SquelmHost::EncodeDescriptor(*step), "recorded step");
}

// The step of --play, damaged as --corrupt-descriptor asks.
void PlayRecordedStep(const CommandLine& line, SquelmHost::TestHost& host)
{
    const std::string bytes = HuxReadFile(line.playPath, SquelmHost::kDescriptorFileLimit, "recorded step");
    SquelmHost::Descriptor step = SquelmHost::DecodeDescriptor(bytes, "recorded step " + line.playPath);
    if (line.corruptDescriptor)
        SquelmHost::CorruptDescriptor(step);
    host.Descriptors().Play(std::move(step), line.playInfo);
}

int RunImage(const CommandLine& line, const SquelmHostCli::ImageJob& job, const PSPlimMesh* mesh,
             SquelmHost::TestHost& host)
{
    host.SetImage(SquelmHost::LoadPng(job.input, line.document));
    if (!line.maskPath.empty())
        host.SetMask(SquelmHost::LoadGreyPng(line.maskPath));
    host.Options().filterRect = line.filterRect;
    std::optional<SquelmHostCli::ScriptedEditing> scripted;
    if (!line.scriptPath.empty())
        scripted.emplace(line.scriptPath, host);
    if (mesh) {
        const SquelmHost::Rect32 area = host.EffectiveFilterRect();
        const std::string note = PSPlimMeshShapeNote(*mesh, area.right - area.left, area.bottom - area.top);
        if (!note.empty())
            std::cout << "mesh: " << note << "\n";
    }

    SquelmHost::RunOptions run;
    run.callParameters = !line.skipParametersSelector;
    const SquelmHost::RunResult result = host.RunFilter(run);
    SquelmHostCli::PrintSelectors(std::cout, host.Log());
    SquelmHostCli::PrintRunSummary(std::cout, host, result);
    if (scripted)
        scripted->Finish(std::cout);
    int code = result.Succeeded() ? kSuccess : result.hostError.empty() ? kPluginFailed : kHostFailed;
    // Each file is written whatever became of the others; the host keeps
    // the parameters whatever the outcome of the run.
    if (result.Succeeded()) {
        RunReporting([&] { SquelmHost::SavePng(job.output, host.Image()); }, code);
        if (!line.saveMeshPath.empty())
            RunReporting([&] { SquelmHostCli::SaveRunMesh(line.saveMeshPath, host); }, code);
        if (!line.recordPath.empty())
            RunReporting([&] { SaveRecordedStep(line.recordPath, host); }, code);
    }
    if (!line.parametersPath.empty())
        RunReporting([&] { host.SaveParameters(line.parametersPath); }, code);
    return code;
}

// Every image in turn, each run on the parameters the one before left, an
// image that fails reported and the next one run; the status is that of the
// first that failed.
int RunImages(const CommandLine& line, SquelmHost::TestHost& host)
{
    std::optional<PSPlimMesh> mesh;
    std::optional<SquelmHostCli::MeshEditing> meshEditing;
    if (!line.meshPath.empty()) {
        mesh = PSPlimLoadMeshFile(line.meshPath);
        meshEditing.emplace(*mesh, host);
    }
    if (!line.playPath.empty())
        PlayRecordedStep(line, host);
    const std::vector<SquelmHostCli::ImageJob> jobs = SquelmHostCli::PlanImageJobs(line.inputPaths, line.outputPath);
    int code = kSuccess;
    for (const SquelmHostCli::ImageJob& job : jobs) {
        if (jobs.size() > 1)
            std::cout << "image: " << job.input << " -> " << job.output << "\n";
        int status = kSuccess;
        RunReporting([&] { status = RunImage(line, job, mesh ? &*mesh : nullptr, host); }, status);
        if (code == kSuccess)
            code = status;
    }
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
    if (code == kSuccess && !line.inputPaths.empty())
        code = RunImages(line, host);
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
