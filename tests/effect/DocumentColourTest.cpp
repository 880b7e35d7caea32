// Picked colours reaching a CMYK document: the exposed-area fill as the
// host converts it where it offers the conversion (this test host answers
// cyan, magenta and yellow without black), else by the formula, which takes
// the black out; the knockout colour is converted too, for the preview.
#include "effect/EffectTestSupport.h"

#include <algorithm>
#include <array>

using namespace EffectTest;
using SquelmHost::ColourSpace;
using SquelmHost::HostImage;
using SquelmHost::Transparency;

namespace {

constexpr uint32_t kFill = 0x00336699;    // red 153, green 102, blue 51
constexpr uint32_t kKnockout = 0x000000FF; // red

// The colour-services calls that converted a colour: its red, green, blue.
std::vector<std::array<int16_t, 3>> Conversions(const SquelmHost::CallLog& log)
{
    std::vector<std::array<int16_t, 3>> asked;
    for (const SquelmHost::HostEvent& e : log.Events())
        if (e.kind == SquelmHost::EventKind::ColorServices && e.colorSelector == 1)
            asked.push_back({e.components[0], e.components[1], e.components[2]});
    return asked;
}

} // namespace

TEST(DocumentColourTest, TheFillReachesACmykDocumentAsTheHostConvertsIt)
{
    enum class Services { Convert, PickOnly, None };
    const struct {
        int depth;
        Services services;
        std::array<uint32_t, 4> fill; // the exposed pixel's planes
    } cases[] = {
        {8, Services::Convert, {153, 102, 51, 255}},
        {8, Services::PickOnly, {255, 204, 153, 153}},
        {8, Services::None, {255, 204, 153, 153}},
        {16, Services::Convert, {19661, 13107, 6554, 32768}},
        {16, Services::None, {32768, 26214, 19661, 19661}},
    };
    for (const auto& c : cases) {
        SquelmHost::TestHost host(Entry());
        HostImage image(48, 36, ColourSpace::CMYK, c.depth, Transparency::None);
        host.SetImage(image);
        SquelmHost::GreyImage mask(48, 36, 255);
        for (int x = 24; x < 48; ++x)
            mask.pixels[size_t(x)] = 0; // the top row's right half unselected: the preview knocks it out
        host.SetMask(mask);
        host.Options().nullColorServices = c.services == Services::None;
        host.Options().colour.refuseConversion = c.services == Services::PickOnly;
        const RunOutcome run = RunWith(host, [](CPSPlimPluginApp& app) {
            app.Params()->exposedAreaMode = HuxPSTileCache::kFixedColour;
            app.Params()->exposedAreaColour = kFill;
            app.Params()->knockout = 1;
            app.Params()->knockoutColour = kKnockout;
            app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
            app.Params()->toolSize = 0.25;
            app.Params()->toolPower = 1.0;
            app.SetPreviewSize(96, 72);
            app.ChangeEdgeMode(PSPlimEdgeMode::Free);
            Drag(app, PSPlimButton::Left, {{1, 18}, {8, 18}, {14, 18}});
            return kHuxIdOk;
        });
        const std::string name = std::to_string(c.depth) + " bits, services " + std::to_string(int(c.services));
        ASSERT_TRUE(run.result.Succeeded()) << name;
        std::array<uint32_t, 4> exposed{};
        for (int p = 0; p < 4; ++p)
            exposed[size_t(p)] = run.image.Sample(0, 18, p);
        EXPECT_EQ(exposed, c.fill) << name;
        // The fill is asked for each cache that holds it; the knockout
        // colour once, however many renders show it.
        const auto asked = Conversions(host.Log());
        const auto count = [&asked](std::array<int16_t, 3> colour) { return std::count(asked.begin(), asked.end(), colour); };
        const bool converts = c.services != Services::None;
        EXPECT_EQ(count({255, 0, 0}), converts ? 1 : 0) << name;
        EXPECT_EQ(count({153, 102, 51}) > 0, converts) << name;
        EXPECT_EQ(count({255, 0, 0}) + count({153, 102, 51}), ptrdiff_t(asked.size())) << name;
    }
}
