#include "testhost/cli/CommandLine.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "HuxLib/HUXUTIL/HuxQuote.h"

namespace SquelmHostCli {

namespace {

using SquelmHost::HostOptions;

// Options without a value.
struct Flag {
    std::string_view name;
    std::string_view help;
    void (*set)(CommandLine&);
};

// Options with a whole-number value in [min, max].
struct Count {
    std::string_view name;
    std::string_view value;
    std::string_view help;
    long min, max;
    void (*set)(HostOptions&, long);
};

const std::array kFlags = {
    Flag{"--show-parameters", "print the parameters record after the run",
         [](CommandLine& c) { c.showParameters = true; }},
    Flag{"--log", "print every call between host and plug-in", [](CommandLine& c) { c.showLog = true; }},
    Flag{"--about", "call About only", [](CommandLine& c) { c.about = true; }},
    Flag{"--help", "print this text", [](CommandLine& c) { c.help = true; }},
};

// What the input PNG becomes.
const std::array kDocumentFlags = {
    Flag{"--protect-transparency", "a PNG with alpha becomes a layer whose transparency is locked",
         [](CommandLine& c) { c.document.alpha = SquelmHost::Transparency::Protected; }},
};

// What a real host may do differently; the host-behaviour options.
const std::array kQuirks = {
    Flag{"--no-parameters", "do not call the Parameters selector before Prepare",
         [](CommandLine& c) { c.skipParametersSelector = true; }},
    Flag{"--no-owner-window", "pass no owner window in the platform data",
         [](CommandLine& c) { c.noOwnerWindow = true; }},
    Flag{"--null-platform-data", "pass a null platform data pointer (filter and About records)",
         [](CommandLine& c) { c.hostBehaviour.nullPlatformData = c.hostBehaviour.nullAboutPlatformData = true; }},
    Flag{"--get-size-zero", "getSizeProc answers 0 for every handle",
         [](CommandLine& c) { c.hostBehaviour.getSizeAnswersZero = true; }},
    Flag{"--set-size-fails", "setSizeProc answers memFullErr",
         [](CommandLine& c) { c.hostBehaviour.setSizeFails = true; }},
    Flag{"--no-abort-proc", "offer no abortProc", [](CommandLine& c) { c.hostBehaviour.nullAbortProc = true; }},
    Flag{"--no-progress-proc", "offer no progressProc",
         [](CommandLine& c) { c.hostBehaviour.nullProgressProc = true; }},
    Flag{"--no-colour-services", "offer no colorServices",
         [](CommandLine& c) { c.hostBehaviour.nullColorServices = true; }},
    Flag{"--no-colour-conversion", "colorServices picks colours but converts none (answers paramErr)",
         [](CommandLine& c) { c.hostBehaviour.colour.refuseConversion = true; }},
    Flag{"--colour-picker-cancels", "the host's colour picker answers userCanceledErr",
         [](CommandLine& c) { c.hostBehaviour.colour.refuse = true; }},
    Flag{"--no-auto-mask", "store the plug-in's output as written, ignoring autoMask",
         [](CommandLine& c) { c.hostBehaviour.honourAutoMask = false; }},
    Flag{"--old-host", "a host without 32-bit coordinates (no bigDocumentData)",
         [](CommandLine& c) { c.hostBehaviour.bigDocument = false; }},
    Flag{"--no-descriptors", "offer no scripting descriptor block: nothing is recorded or played",
         [](CommandLine& c) { c.hostBehaviour.descriptors = SquelmHost::DescriptorOffer::NoBlock; }},
    Flag{"--null-descriptor-procs", "offer the descriptor block with null read and write procs",
         [](CommandLine& c) { c.hostBehaviour.descriptors = SquelmHost::DescriptorOffer::NullProcs; }},
    Flag{"--corrupt-descriptor", "damage the played step's mesh text (one character changed)",
         [](CommandLine& c) { c.corruptDescriptor = true; }},
    Flag{"--move-blocks", "move every handle's block whenever it is unlocked, poisoning the old place",
         [](CommandLine& c) { c.hostBehaviour.moveBlocksOnUnlock = true; }},
};

const std::array kCounts = {
    Count{"--handle-procs", "N", "offer N handle procs (0 to 8); the later ones are null", 0, 8,
          [](HostOptions& o, long n) { o.numHandleProcs = static_cast<int16_t>(n); }},
    Count{"--new-handle-fill", "B", "fill new handle blocks with the byte B (0 to 255)", 0, 255,
          [](HostOptions& o, long n) { o.newHandleFill = static_cast<uint8_t>(n); }},
    Count{"--fail-new-handle", "N", "newProc refuses its N-th call and every later one", 1, 1000000,
          [](HostOptions& o, long n) { o.failNewHandleAt = static_cast<int>(n); }},
    Count{"--fail-advance-state", "N", "advanceState fails from its N-th call on", 1, 1000000,
          [](HostOptions& o, long n) { o.failAdvanceStateAt = static_cast<int>(n); }},
    Count{"--advance-state-error", "E", "the error it answers (default -108, memFullErr)", -32768, 32767,
          [](HostOptions& o, long n) { o.advanceStateError = static_cast<PS::OSErr>(n); }},
    Count{"--cancel-at-poll", "N", "abortProc answers cancel from its N-th poll on", 1, 1000000,
          [](HostOptions& o, long n) { o.cancelAtAbortPoll = static_cast<int>(n); }},
    Count{"--threads", "N", "the plug-in renders with N threads (1: serial; default: every core, at most 32)", 1, 32,
          [](HostOptions& o, long n) { o.renderThreads = static_cast<int>(n); }},
    Count{"--preset-result", "R", "set the result word to R before every call (some hosts do)", -32768, 32767,
          [](HostOptions& o, long n) { o.resultWordPreset = static_cast<int16_t>(n); }},
    Count{"--claim-mode", "M", "tell the plug-in the document's imageMode is M (0 to 17), whatever it is", 0, 17,
          [](HostOptions& o, long n) { o.claimedImageMode = static_cast<int16_t>(n); }},
    Count{"--claim-depth", "D", "tell the plug-in the document's depth is D bits (0 to 32)", 0, 32,
          [](HostOptions& o, long n) { o.claimedDepth = static_cast<int32_t>(n); }},
    Count{"--claim-planes", "N", "tell the plug-in the document has N planes (0 to 24)", 0, 24,
          [](HostOptions& o, long n) { o.claimedPlanes = static_cast<int16_t>(n); }},
};

// The colour spaces a colour PNG can be turned into.
std::optional<SquelmHost::ColourSpace> ParseColourSpace(std::string_view word)
{
    if (word == "cmyk")
        return SquelmHost::ColourSpace::CMYK;
    if (word == "lab")
        return SquelmHost::ColourSpace::Lab;
    return std::nullopt;
}

// How the host plays a recorded step (playInfo).
std::optional<int16_t> ParsePlayInfo(std::string_view word)
{
    if (word == "if-needed")
        return int16_t(0);
    if (word == "dialog")
        return int16_t(1);
    if (word == "silent")
        return int16_t(2);
    return std::nullopt;
}

// A whole number in [min, max]; the error says which way it fails.
bool ParseWhole(std::string_view text, long min, long max, long& value, std::string& error)
{
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    value = std::strtol(copy.c_str(), &end, 10);
    if (copy.empty() || end != copy.c_str() + copy.size()) {
        error = HuxQuote(text) + " is not a whole number";
        return false;
    }
    if (errno == ERANGE || value < min || value > max) {
        error = HuxQuote(text) + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")";
        return false;
    }
    return true;
}

bool ParseRect(const std::string& text, SquelmHost::Rect32& rect, std::string& error)
{
    int32_t* sides[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    size_t start = 0;
    for (size_t k = 0; k < 4; ++k) {
        const size_t comma = k < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos) {
            error = "--rect wants left,top,right,bottom, not " + HuxQuote(text);
            return false;
        }
        long value = 0;
        if (!ParseWhole(std::string_view(text).substr(start, comma - start), INT32_MIN, INT32_MAX, value, error)) {
            error = "--rect: " + error;
            return false;
        }
        *sides[k] = static_cast<int32_t>(value);
        start = comma + 1;
    }
    return true;
}

// The field of an option whose value is a file name, or null.
std::string* PathOption(CommandLine& line, std::string_view name)
{
    const std::pair<std::string_view, std::string CommandLine::*> options[] = {
        {"--plugin", &CommandLine::pluginPath}, {"--params", &CommandLine::parametersPath},
        {"--mask", &CommandLine::maskPath},     {"--script", &CommandLine::scriptPath},
        {"--mesh", &CommandLine::meshPath},     {"--save-mesh", &CommandLine::saveMeshPath},
        {"--record", &CommandLine::recordPath}, {"--play", &CommandLine::playPath},
    };
    for (const auto& [option, field] : options)
        if (option == name)
            return &(line.*field);
    return nullptr;
}

void AppendOption(std::string& out, std::string_view name, std::string_view help)
{
    std::string line = "  " + std::string(name);
    line.resize(std::max<size_t>(line.size() + 1, 28), ' ');
    out += line + std::string(help) + "\n";
}

} // namespace

std::string Usage()
{
    std::string text = "usage: squelm-host [options] in.png out.png\n"
                       "       squelm-host [options] in.png... folder\n"
                       "       squelm-host --about [--plugin path]\n"
                       "       squelm-host --show-parameters --params file\n"
                       "options:\n";
    AppendOption(text, "--plugin path", "the plug-in file (Windows; natively it is built in)");
    AppendOption(text, "--params file", "parameters file: loaded before the run, saved after it");
    AppendOption(text, "--mask m.png", "selection mask (grey; colour is reduced to luma)");
    AppendOption(text, "--script file", "play a stroke script on the editor (on Windows, on the real editor dialog)");
    AppendOption(text, "--mesh file", "apply a saved mesh instead of editing (on Windows: played as a recorded step)");
    AppendOption(text, "--save-mesh file", "save the mesh of the run (on Windows: the one it recorded)");
    AppendOption(text, "--record file", "save the step the run recorded in the host's actions");
    AppendOption(text, "--play file", "play a recorded step (from --record) as a host plays an action");
    AppendOption(text, "--play-as how", "silent (default): no editor; dialog: the editor on the step;");
    AppendOption(text, "", "if-needed: the editor only when the step does not read");
    AppendOption(text, "--rect l,t,r,b", "filter rectangle (default: the image, or the selection's bounds)");
    for (const Flag& flag : kFlags)
        AppendOption(text, flag.name, flag.help);
    text += "the document (a PNG of 8 or 16 bits, grey or colour; alpha makes it a layer with editable\n"
            "transparency; the output PNG has the input's depth and channels):\n";
    for (const Flag& flag : kDocumentFlags)
        AppendOption(text, flag.name, flag.help);
    AppendOption(text, "--as cmyk|lab", "a colour PNG becomes CMYK or Lab planes, and back on output");
    text += "host behaviour (quirks of real hosts, injected faults):\n";
    for (const Flag& flag : kQuirks)
        AppendOption(text, flag.name, flag.help);
    for (const Count& count : kCounts)
        AppendOption(text, std::string(count.name) + " " + std::string(count.value), count.help);
    text += "exit status: 0 success, 1 the plug-in ended the run with an error, 2 usage,\n"
            "             3 the host failed (a file could not be read or written)\n";
    return text;
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
        auto path = [&](std::string& into) {
            if (!value(into))
                return false;
            if (into.empty())
                error = arg + " needs a file name, not an empty one";
            return !into.empty();
        };
        const auto isName = [&](const auto& option) { return option.name == arg; };
        if (const auto flag = std::find_if(kFlags.begin(), kFlags.end(), isName); flag != kFlags.end()) {
            flag->set(line);
        } else if (const auto doc = std::find_if(kDocumentFlags.begin(), kDocumentFlags.end(), isName);
                   doc != kDocumentFlags.end()) {
            doc->set(line);
        } else if (arg == "--as") {
            std::string word;
            if (!value(word))
                return std::nullopt;
            line.document.colour = ParseColourSpace(word);
            if (!line.document.colour) {
                error = "--as wants cmyk or lab, not " + HuxQuote(word);
                return std::nullopt;
            }
        } else if (arg == "--play-as") {
            std::string word;
            if (!value(word))
                return std::nullopt;
            const std::optional<int16_t> how = ParsePlayInfo(word);
            if (!how) {
                error = "--play-as wants silent, dialog or if-needed, not " + HuxQuote(word);
                return std::nullopt;
            }
            line.playInfo = *how;
        } else if (const auto quirk = std::find_if(kQuirks.begin(), kQuirks.end(), isName); quirk != kQuirks.end()) {
            quirk->set(line);
        } else if (const auto count = std::find_if(kCounts.begin(), kCounts.end(), isName); count != kCounts.end()) {
            std::string text;
            long n = 0;
            if (!value(text))
                return std::nullopt;
            if (!ParseWhole(text, count->min, count->max, n, error)) {
                error = arg + ": " + error;
                return std::nullopt;
            }
            count->set(line.hostBehaviour, n);
        } else if (std::string* into = PathOption(line, arg)) {
            if (!path(*into))
                return std::nullopt;
        } else if (arg == "--rect") {
            std::string text;
            SquelmHost::Rect32 rect;
            if (!value(text) || !ParseRect(text, rect, error))
                return std::nullopt;
            line.filterRect = rect;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + HuxQuote(arg);
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (line.help)
        return line;
    for (const std::string& file : files) {
        if (file.empty()) {
            error = "an image needs a file name, not an empty one";
            return std::nullopt;
        }
    }
    if (files.size() >= 2) {
        line.inputPaths.assign(files.begin(), files.end() - 1);
        line.outputPath = files.back();
    } else if (!files.empty() || (!line.about && !line.showParameters)) {
        error = "give an input and an output image";
        return std::nullopt;
    }
    if (!line.meshPath.empty() && !line.scriptPath.empty()) {
        error = "--mesh and --script exclude each other: the mesh takes the editing session's place";
        return std::nullopt;
    }
    if (!line.playPath.empty() && !line.meshPath.empty()) {
        error = "--play and --mesh exclude each other: each gives the run its mesh";
        return std::nullopt;
    }
    if (!line.recordPath.empty() && line.inputPaths.size() > 1) {
        error = "--record keeps the step of one run: give one input image";
        return std::nullopt;
    }
    if (!line.saveMeshPath.empty() && line.inputPaths.size() > 1) {
        error = "--save-mesh keeps the mesh of one run: give one input image";
        return std::nullopt;
    }
    if (line.showParameters && files.empty() && !line.about && line.parametersPath.empty()) {
        error = "--show-parameters without a run needs --params";
        return std::nullopt;
    }
    return line;
}

} // namespace SquelmHostCli
