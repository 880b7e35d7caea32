// Parsing of the stroke-script text format.
#include "testhost/scripting/PSPlimStrokeScript.h"

#include <gtest/gtest.h>

using Kind = PSPlimScriptCommand::Kind;

namespace {

// The message of the error that parsing `text` throws, or "" when it parses.
std::string ErrorOf(const std::string& text)
{
    try {
        PSPlimStrokeScript::Parse(text);
    } catch (const PSPlimScriptError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(StrokeScriptTest, EveryCommandParsesWithItsLine)
{
    const auto script = PSPlimStrokeScript::Parse(
        "# a comment line\n"
        "tool left nibble\n"
        "tool right stabilise   # trailing comment\n"
        "\n"
        "size 0.125\n"
        "power 0.5\r\n"
        "drag right 10,20 30.5,-4 7,8\n"
        "edge locked\n"
        "grid 20 30\n"
        "undo\n"
        "redo\n"
        "preview 320 200\n"
        "cancel\n");
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 11u);
    EXPECT_EQ(c[0].kind, Kind::Tool);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[0].button, PSPlimButton::Left);
    EXPECT_EQ(PSPlimStored(c[0].tool), 5);
    EXPECT_EQ(c[1].button, PSPlimButton::Right);
    EXPECT_EQ(PSPlimStored(c[1].tool), 3);
    EXPECT_EQ(c[2].kind, Kind::Size);
    EXPECT_EQ(c[2].line, 5);
    EXPECT_EQ(c[2].value, 0.125);
    EXPECT_EQ(c[3].kind, Kind::Power);
    EXPECT_EQ(c[3].value, 0.5);
    EXPECT_EQ(c[4].kind, Kind::Drag);
    EXPECT_EQ(c[4].button, PSPlimButton::Right);
    ASSERT_EQ(c[4].points.size(), 3u);
    EXPECT_EQ(c[4].points[0].x, 10.0);
    EXPECT_EQ(c[4].points[0].y, 20.0);
    EXPECT_EQ(c[4].points[1].x, 30.5);
    EXPECT_EQ(c[4].points[1].y, -4.0);
    EXPECT_EQ(c[4].points[2].y, 8.0);
    EXPECT_EQ(c[5].kind, Kind::Edge);
    EXPECT_EQ(PSPlimStored(c[5].edgeMode), 1);
    EXPECT_EQ(c[6].kind, Kind::Grid);
    EXPECT_EQ(c[6].first, 20);
    EXPECT_EQ(c[6].second, 30);
    EXPECT_EQ(c[7].kind, Kind::Undo);
    EXPECT_EQ(c[8].kind, Kind::Redo);
    EXPECT_EQ(c[9].kind, Kind::Preview);
    EXPECT_EQ(c[9].first, 320);
    EXPECT_EQ(c[9].second, 200);
    EXPECT_EQ(c[10].kind, Kind::Cancel);
    EXPECT_EQ(c[10].line, 13);
}

TEST(StrokeScriptTest, ToolNamesMapToToolIds)
{
    const char* names[] = {"squelm", "mellow", "revert", "stabilise", "boggle", "nibble"};
    for (int id = 0; id < 6; ++id) {
        const auto script = PSPlimStrokeScript::Parse(std::string("tool left ") + names[id]);
        EXPECT_EQ(PSPlimStored(script.Commands().at(0).tool), id) << names[id];
    }
    const char* edges[] = {"fixed", "locked", "free"};
    for (int mode = 0; mode < 3; ++mode)
        EXPECT_EQ(PSPlimStored(PSPlimStrokeScript::Parse(std::string("edge ") + edges[mode]).Commands().at(0).edgeMode), mode);
}

TEST(StrokeScriptTest, AnEmptyScriptHasNoCommands)
{
    EXPECT_TRUE(PSPlimStrokeScript::Parse("").Commands().empty());
    EXPECT_TRUE(PSPlimStrokeScript::Parse("# only\n\n   \n").Commands().empty());
}

TEST(StrokeScriptTest, MistakesNameTheirLine)
{
    EXPECT_EQ(ErrorOf("undo\nsmudge 1\n"), "line 2: unknown command 'smudge'");
    EXPECT_EQ(ErrorOf("tool middle squelm"), "line 1: unknown button 'middle'");
    EXPECT_EQ(ErrorOf("\ntool left smear"), "line 2: unknown tool 'smear'");
    EXPECT_EQ(ErrorOf("tool left"), "line 1: expected \"tool left|right <name>\"");
    EXPECT_EQ(ErrorOf("size"), "line 1: expected \"size <value>\"");
    EXPECT_EQ(ErrorOf("power 0.2x"), "line 1: '0.2x' is not a number");
    EXPECT_EQ(ErrorOf("size nan"), "line 1: 'nan' is not a number");
    EXPECT_EQ(ErrorOf("drag left"), "line 1: expected \"drag left|right x,y[,p] [x,y[,p] ...]\"");
    EXPECT_EQ(ErrorOf("drag left 1,2 3,4,1.5"), "line 1: '3,4,1.5' has a pressure outside 0..1");
    EXPECT_EQ(ErrorOf("drag left 1,2 3,4,x"), "line 1: 'x' is not a number");
    EXPECT_EQ(ErrorOf("pan 1,2 3,4,0.5"), "line 1: '4,0.5' is not a number");
    EXPECT_EQ(ErrorOf("drag left 10;20"), "line 1: '10;20' is not a position x,y");
    EXPECT_EQ(ErrorOf("drag left 10,"), "line 1: '' is not a number");
    EXPECT_EQ(ErrorOf("edge sticky"), "line 1: unknown edge mode 'sticky'");
    EXPECT_EQ(ErrorOf("grid 20.5 3"), "line 1: '20.5' is not a whole number");
    EXPECT_EQ(ErrorOf("preview 0 10"), "line 1: a preview needs a positive width and height");
    EXPECT_EQ(ErrorOf("undo now"), "line 1: expected \"undo\"");
    EXPECT_EQ(ErrorOf("ok\n\n# fine\nundo"), "line 4: nothing may follow ok or cancel");
}

TEST(StrokeScriptTest, NumbersTooLargeAreOutOfRange)
{
    EXPECT_EQ(ErrorOf("size 1e999"), "line 1: '1e999' is out of range");
    EXPECT_EQ(ErrorOf("drag left 1,-1e400"), "line 1: '-1e400' is out of range");
    EXPECT_EQ(ErrorOf("power inf"), "line 1: 'inf' is not a number");
    EXPECT_EQ(ErrorOf("grid 1000001 3"), "line 1: '1000001' is out of range (at most 1000000)");
    EXPECT_EQ(ErrorOf("grid 3 -2e6"), "line 1: '-2e6' is out of range (at most 1000000)");
    EXPECT_EQ(PSPlimStrokeScript::Parse("grid 1000000 3").Commands().at(0).first, 1000000);
    EXPECT_EQ(PSPlimStrokeScript::Parse("size 1e-400").Commands().at(0).value, 0.0) << "an underflow is a number";
}

TEST(StrokeScriptTest, WordsInMessagesAreBoundedAndEscaped)
{
    using namespace std::string_literals;
    const std::string longWord(2000000, 'q');
    EXPECT_EQ(ErrorOf(longWord), "line 1: unknown command '" + std::string(48, 'q') + "...' (2000000 bytes)");
    EXPECT_EQ(ErrorOf("edge \x1B[0m\x07"s), "line 1: unknown edge mode '\\x1B[0m\\x07'");
    EXPECT_EQ(ErrorOf("power 1\0x"s), "line 1: '1\\x00x' is not a number") << "the NUL stops no message";
    EXPECT_EQ(ErrorOf("drag left 1;\x9B" "2"s), "line 1: '1;\\x9B2' is not a position x,y");
}

TEST(StrokeScriptTest, UnreadableFilesAreErrors)
{
    EXPECT_THROW(PSPlimStrokeScript::Load("/nonexistent/stroke-script.txt"), PSPlimScriptError);
    try {
        PSPlimStrokeScript::Load("/");
        ADD_FAILURE() << "a directory read as a script";
    } catch (const PSPlimScriptError& e) {
        EXPECT_STREQ(e.what(), "cannot read script '/': it is a directory");
    }
}

TEST(StrokeScriptTest, TheBundledDemoParsesAndEndsWithOk)
{
    const std::string here = __FILE__;
    const std::string root = here.substr(0, here.rfind("/tests/"));
    const auto script = PSPlimStrokeScript::Load(root + "/samples/warp-demo.txt");
    ASSERT_FALSE(script.Commands().empty());
    EXPECT_EQ(script.Commands().front().kind, Kind::Preview);
    EXPECT_EQ(script.Commands().back().kind, Kind::Ok);
}

TEST(StrokeScriptTest, ZoomLocateAndPanParse)
{
    const auto script = PSPlimStrokeScript::Parse("zoom in\nzoom out\nlocate 450,300.5\npan 1,2 3,4 5,6\n");
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[3].kind, Kind::Pan);
    ASSERT_EQ(c[3].points.size(), 3u);
    EXPECT_EQ(c[3].points[2].y, 6.0);
    EXPECT_EQ(c[0].kind, Kind::Zoom);
    EXPECT_TRUE(c[0].zoomIn);
    EXPECT_EQ(c[1].kind, Kind::Zoom);
    EXPECT_FALSE(c[1].zoomIn);
    EXPECT_EQ(c[2].kind, Kind::Locate);
    EXPECT_EQ(c[2].line, 3);
    ASSERT_EQ(c[2].points.size(), 1u);
    EXPECT_EQ(c[2].points[0].x, 450.0);
    EXPECT_EQ(c[2].points[0].y, 300.5);

    EXPECT_NE(ErrorOf("zoom sideways\n").find("line 1"), std::string::npos);
    EXPECT_NE(ErrorOf("zoom\n"), "");
    EXPECT_NE(ErrorOf("locate 1\n"), "");
    EXPECT_NE(ErrorOf("ok\nlocate 1,2 3,4\n").find("line 2"), std::string::npos);
    EXPECT_NE(ErrorOf("locate 1,2 3,4\n"), "");
    EXPECT_NE(ErrorOf("pan 1,2\n"), "");
    EXPECT_NE(ErrorOf("pan 1,2 x\n"), "");
}

TEST(StrokeScriptTest, TogglesNameTheGridOrTheToolRadius)
{
    const auto script = PSPlimStrokeScript::Parse("toggle grid\ntoggle radius\n");
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].kind, Kind::Toggle);
    EXPECT_EQ(c[0].display, PSPlimScriptCommand::Display::Grid);
    EXPECT_EQ(c[1].display, PSPlimScriptCommand::Display::ToolRadius);
    EXPECT_NE(ErrorOf("toggle\n"), "");
    EXPECT_NE(ErrorOf("toggle grid radius\n"), "");
    EXPECT_NE(ErrorOf("toggle colour\n").find("line 1"), std::string::npos);
}

// A drag with a pressure anywhere is a pen's, pressing 1 where none is
// written, and its samples carry the nearest readings; a mouse's has none.
TEST(StrokeScriptTest, PressuresMakeADragThePensAndTheToggleIsSet)
{
    using Phase = PSPlimPenSample::Phase;
    const auto script =
        PSPlimStrokeScript::Parse("pressure on\ndrag right 1,2 3,4,0.5 5,6\ndrag left 1,2 3,4\npressure off\n");
    const auto& c = script.Commands();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].kind, Kind::Pressure);
    EXPECT_TRUE(c[0].on);
    EXPECT_FALSE(c[3].on);
    EXPECT_EQ(c[1].pressures, (std::vector<double>{1.0, 0.5, 1.0}));
    EXPECT_EQ(PSPlimPenSampleAt(c[1], 1, Phase::Update), (PSPlimPenSample{Phase::Update, true, true, 512}));
    EXPECT_EQ(PSPlimPenSampleAt(c[1], 0, Phase::Down), (PSPlimPenSample{Phase::Down, true, true, 1024}));
    EXPECT_TRUE(c[2].pressures.empty());
    EXPECT_EQ(PSPlimPenSampleAt(c[2], 1, Phase::Update), std::nullopt);
    EXPECT_EQ(ErrorOf("pressure\n"), "line 1: expected \"pressure on|off\"");
    EXPECT_EQ(ErrorOf("pressure hard\n"), "line 1: unknown state 'hard'");
}
