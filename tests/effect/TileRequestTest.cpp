// How often the source tiles of a thin image are asked of the host, for a
// tall image as for a wide one: the cache must hold what a render needs.
#include "EffectTestSupport.h"

#include "ui/PSPlimStroke.h"

#include <map>
#include <string>
#include <tuple>

using namespace EffectTest;
using SquelmHost::EventKind;
using SquelmHost::HostEvent;

namespace {

struct RequestCounts {
    size_t total = 0;
    size_t distinct = 0;
    int mostRepeats = 0;
};

// Source requests of a run: advanceState calls with an input rectangle,
// told apart by rectangle and sampling rate.
RequestCounts SourceRequests(const SquelmHost::TestHost& host)
{
    std::map<std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t>, int> seen;
    RequestCounts counts;
    for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState)) {
        if (e.inRect.Empty())
            continue;
        ++counts.total;
        int& n = seen[{e.inRect.left, e.inRect.top, e.inRect.right, e.inRect.bottom, e.inputRate}];
        counts.mostRepeats = std::max(counts.mostRepeats, ++n);
    }
    counts.distinct = seen.size();
    return counts;
}

// A two-point stroke across the middle of the image in a 640 x 480
// preview, then OK.
RequestCounts StrokeAndConfirm(int width, int height)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(width, height));
    const RunOutcome run = RunWith(host, [&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(640, 480);
        PSPlimStroke stroke(app);
        stroke.SetImageRect(app.FilterRect());
        stroke.ButtonDown(PSPlimButton::Left, {width * 0.5, height * 0.5});
        stroke.MouseMove({width * 0.5 + 3, height * 0.5 + 40});
        stroke.ButtonUp(PSPlimButton::Left);
        return kHuxIdOk;
    });
    EXPECT_TRUE(run.result.Succeeded());
    return SourceRequests(host);
}

} // namespace

TEST(TileRequestTest, ThinImagesLoadEachTileOnceInEitherOrientation)
{
    for (const auto& [width, height] : {std::pair{1, 32767}, std::pair{32767, 1}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const RequestCounts counts = StrokeAndConfirm(width, height);
        // The final render's 256 tiles and the preview's own, each once.
        EXPECT_GE(counts.distinct, 256u);
        EXPECT_EQ(counts.total, counts.distinct);
        EXPECT_EQ(counts.mostRepeats, 1);
    }
}
