#include "testhost/cli/CommandLine.h"

#include <cstdio>
#include <vector>

namespace SquelmHostCli {

namespace {

bool ParseRect(const std::string& text, SquelmHost::Rect32& rect)
{
    char tail = 0;
    const int n = std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &rect.left, &rect.top, &rect.right, &rect.bottom, &tail);
    return n == 4;
}

} // namespace

const char* Usage()
{
    return "usage: squelm-host [options] in.png out.png\n"
           "       squelm-host --about [--plugin path]\n"
           "       squelm-host --show-parameters --params file\n"
           "options:\n"
           "  --plugin path       the plug-in file (Windows; natively it is built in)\n"
           "  --params file       parameters block: loaded before the run, saved after it\n"
           "  --mask m.png        selection mask (grey; colour is reduced to luma)\n"
           "  --script file       play a stroke script as the editor (native host only)\n"
           "  --rect l,t,r,b      filter rectangle (default: the image, or the selection's bounds)\n"
           "  --no-parameters     do not call the Parameters selector before Prepare\n"
           "  --old-host          a host without 32-bit coordinates (no bigDocumentData)\n"
           "  --show-parameters   print the parameters record after the run\n"
           "  --log               print every call between host and plug-in\n"
           "  --about             call About only\n";
}

std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::string& error)
{
    CommandLine line;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (arg == "--plugin") {
            if (!value(line.pluginPath))
                return std::nullopt;
        } else if (arg == "--params") {
            if (!value(line.parametersPath))
                return std::nullopt;
        } else if (arg == "--mask") {
            if (!value(line.maskPath))
                return std::nullopt;
        } else if (arg == "--script") {
            if (!value(line.scriptPath))
                return std::nullopt;
        } else if (arg == "--rect") {
            std::string text;
            SquelmHost::Rect32 rect;
            if (!value(text))
                return std::nullopt;
            if (!ParseRect(text, rect)) {
                error = "--rect wants left,top,right,bottom, not '" + text + "'";
                return std::nullopt;
            }
            line.filterRect = rect;
        } else if (arg == "--about") {
            line.about = true;
        } else if (arg == "--show-parameters") {
            line.showParameters = true;
        } else if (arg == "--log") {
            line.showLog = true;
        } else if (arg == "--no-parameters") {
            line.skipParametersSelector = true;
        } else if (arg == "--old-host") {
            line.oldHost = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() == 2) {
        line.inputPath = files[0];
        line.outputPath = files[1];
    } else if (!files.empty() || (!line.about && !line.showParameters)) {
        error = "give an input and an output image";
        return std::nullopt;
    }
    if (line.showParameters && files.empty() && !line.about && line.parametersPath.empty()) {
        error = "--show-parameters without a run needs --params";
        return std::nullopt;
    }
    return line;
}

} // namespace SquelmHostCli
