// squelm-host's command line: the usage, usage errors, the host-behaviour
// options reaching the host, and how script mistakes are reported.
#include <regex>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/ProgramRunner.h"

namespace SquelmCliTest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr int kPluginFailed = 1, kUsage = 2, kHostFailed = 3;

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest()
    {
        WriteMarkedPng(scratch.Path("in.png"));
        WriteBytes(scratch.Path("ok.txt"), "ok\n");
    }

    Scratch scratch;
};

TEST_F(OptionsTest, HelpPrintsTheUsageAndEveryListedOptionIsAccepted)
{
    const ProgramRun help = scratch.Run({"--help"});
    ASSERT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_THAT(help.out, ::testing::StartsWith("usage: squelm-host"));
    // Every option the usage lists (with a value where it names one) is
    // one the parser knows: About runs with it.
    const std::regex option(R"(^  (--[a-z-]+)( [A-Za-z.,]+)?)");
    std::istringstream lines(help.out);
    int checked = 0;
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (!std::regex_search(line, match, option) || match[1] == "--help" || match[1] == "--show-parameters")
            continue;
        std::vector<std::string> args = {"--about", match[1]};
        if (match[2].matched)
            args.push_back(match[1] == "--rect"                  ? "0,0,4,4"
                           : match[1] == "--advance-state-error" ? "-1"
                           : match[1] == "--as"                  ? "lab"
                           : match[1] == "--play-as"             ? "dialog"
                                                                 : "1");
        const ProgramRun run = scratch.Run(args);
        EXPECT_EQ(run.status, 0) << line << "\n" << run.err;
        ++checked;
    }
    EXPECT_GE(checked, 20);
    for (const char* name : {"--no-owner-window", "--null-platform-data", "--get-size-zero", "--no-parameters"})
        EXPECT_THAT(help.out, HasSubstr(name));
}

TEST_F(OptionsTest, MistakesOnTheCommandLineAreUsageErrors)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--frobnicate", "in.png", "out.png"}, "unknown option '--frobnicate'"},
        {{"-\x1b[2J", "in.png", "out.png"}, "unknown option '-\\x1B[2J'"},
        {{"", "out.png"}, "an image needs a file name, not an empty one"},
        {{"in.png", ""}, "an image needs a file name, not an empty one"},
        {{"--params", "", "in.png", "out.png"}, "--params needs a file name, not an empty one"},
        {{"--script", "", "in.png", "out.png"}, "--script needs a file name, not an empty one"},
        {{"in.png"}, "give an input and an output image"},
        {{"--mesh", "m", "--script", "ok.txt", "in.png", "out.png"}, "--mesh and --script exclude each other"},
        {{"--save-mesh", "m", "in.png", "in.png", "out"}, "--save-mesh keeps the mesh of one run: give one input"},
        {{"--play", "s", "--mesh", "m", "in.png", "out.png"}, "--play and --mesh exclude each other"},
        {{"--record", "s", "in.png", "in.png", "out"}, "--record keeps the step of one run: give one input"},
        {{"--play-as", "loud", "in.png", "out.png"}, "--play-as wants silent, dialog or if-needed, not 'loud'"},
        {{"--rect", "1,2,3", "in.png", "out.png"}, "--rect wants left,top,right,bottom, not '1,2,3'"},
        {{"--rect", "1,2,3,99999999999", "in.png", "out.png"}, "'99999999999' is out of range"},
        {{"--handle-procs", "9", "in.png", "out.png"}, "--handle-procs: '9' is out of range (0 to 8)"},
        {{"--cancel-at-poll", "2x", "in.png", "out.png"}, "--cancel-at-poll: '2x' is not a whole number"},
        {{"--fail-advance-state"}, "--fail-advance-state needs a value"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = scratch.Run(c.args);
        EXPECT_EQ(run.status, kUsage) << c.message;
        EXPECT_THAT(run.err, HasSubstr(c.message));
    }
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt"}));
}

TEST_F(OptionsTest, HostBehaviourOptionsReachTheHost)
{
    ProgramRun run = scratch.Run({"--script", "ok.txt", "--fail-advance-state", "1", "--advance-state-error", "-50",
                                  "in.png", "out.png"});
    EXPECT_EQ(run.status, kPluginFailed);
    EXPECT_THAT(run.out, HasSubstr("Start: -50\n"));

    run = scratch.Run({"--script", "ok.txt", "--cancel-at-poll", "1", "in.png", "out.png"});
    EXPECT_EQ(run.status, kPluginFailed);
    EXPECT_THAT(run.out, HasSubstr("Start: -128\n"));
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt"})) << "no image after a failed run";

    run = scratch.Run({"--script", "ok.txt", "--no-parameters", "--get-size-zero", "in.png", "out.png"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, Not(HasSubstr("Parameters:")));
    EXPECT_THAT(run.out, HasSubstr("Prepare: 0\n"));
}

TEST_F(OptionsTest, ScriptWordsAreQuotedBoundedAndEscaped)
{
    const struct {
        std::string script;
        std::string message;
    } cases[] = {
        {"tool left " + std::string(2000000, 'w') + "\n",
         "line 1: unknown tool '" + std::string(48, 'w') + "...' (2000000 bytes)\n"},
        {std::string("tool left \x1b[31mred\0x\n", 20), "line 1: unknown tool '\\x1B[31mred\\x00x'\n"},
        {"size 1e999\n", "line 1: '1e999' is out of range\n"},
        {"grid 20000000 3\n", "line 1: '20000000' is out of range (at most 1000000)\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(scratch.Path("s.txt"), c.script);
        const ProgramRun run = scratch.Run({"--script", "s.txt", "in.png", "out.png"});
        EXPECT_EQ(run.status, kHostFailed);
        EXPECT_EQ(run.err, "squelm-host: " + c.message);
    }
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt", "s.txt"}));
}

} // namespace
} // namespace SquelmCliTest
