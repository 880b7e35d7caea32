// The filter framework's help services: which HTML Help call each makes,
// seen through the recorder.
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "support/HelpRecorder.h"
#include "host/HuxPSFilter.h"
#include "plugin/PluginMain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FilterWithHelp : public HuxPSFilter {
public:
    std::string GetHelpFilePath() const override { return "C:\\Plug-ins\\Help.chm"; }
};

struct HelpFixture : testing::Test {
    std::vector<HuxHtmlHelpCall> calls;
    HelpFixture()
    {
        SetHelpRecorder([this](const HuxHtmlHelpCall& call) { calls.push_back(call); });
    }
    ~HelpFixture() override { SetHelpRecorder({}); }
};

const uint32_t kIdTable[] = {9011, 9007, 9007, 9007, 0, 0};

} // namespace

TEST_F(HelpFixture, TopicAndControlHelpNameTheFileTheTopicAndTheCommand)
{
    FilterWithHelp filter;
    filter.ShowHelpTopic("::/Squelm/Welcome.htm");
    filter.ShowControlHelp(0x1234, "::/Text/SquelmDialog.txt", kIdTable);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].window, 0);
    EXPECT_EQ(calls[0].path, "C:\\Plug-ins\\Help.chm::/Squelm/Welcome.htm");
    EXPECT_EQ(calls[0].command, kHuxHelpDisplayTopic);
    EXPECT_EQ(calls[0].data, 0u);
    EXPECT_EQ(calls[1].window, 0x1234);
    EXPECT_EQ(calls[1].path, "C:\\Plug-ins\\Help.chm::/Text/SquelmDialog.txt");
    EXPECT_EQ(calls[1].command, 17u);
    EXPECT_EQ(calls[1].data, reinterpret_cast<uintptr_t>(kIdTable));
}

TEST_F(HelpFixture, WithoutAHelpFileNothingIsShown)
{
    HuxPSFilter plain; // names no help file
    plain.ShowHelpTopic("::/Squelm/Welcome.htm");
    plain.ShowControlHelp(1, "::/Text/SquelmDialog.txt", kIdTable);
    // Natively the effect cannot find its own file: no help either.
    TheApp().ShowHelpTopic("::/Squelm/Welcome.htm");
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(TheApp().GetHelpFilePath(), "");
}
