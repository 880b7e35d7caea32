// Speed of the final render through the test host's real callbacks: a
// 12-megapixel image warped through a deformed grid, tile by tile.
#include "support/FakeEditor.h"

#include "grid/PSPlimTools.h"
#include "testhost/TestHost.h"
#include "bench/TestCard.h"
#include "ui/PSPlimStroke.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = Bench::kCardWidth;
constexpr int kHeight = Bench::kCardHeight;
constexpr int kRuns = 3;

// Deforms the grid with a few strokes of different tools, as a user might.
void Deform(CPSPlimPluginApp& app)
{
    PSPlimStroke stroke(app);
    stroke.SetImageRect({0, 0, kWidth, kHeight});
    const struct {
        PSPlimTool tool;
        double x0, y0, dx, dy;
    } strokes[] = {{PSPlimTool::Squelm, 1000, 1000, 40, 10}, {PSPlimTool::Boggle, 2500, 1200, 30, 30},
                   {PSPlimTool::Nibble, 3000, 2200, -20, 25}, {PSPlimTool::Squelm, 1800, 2400, -35, -15}};
    for (const auto& s : strokes) {
        app.Params()->leftButtonTool = PSPlimStored(s.tool);
        stroke.ButtonDown(PSPlimButton::Left, {s.x0, s.y0});
        for (int i = 1; i <= 20; ++i)
            stroke.MouseMove({s.x0 + s.dx * i, s.y0 + s.dy * i});
        stroke.ButtonUp(PSPlimButton::Left);
    }
}

} // namespace

int main()
{
    SquelmHost::TestHost host(EffectTest::Entry());
    const SquelmHost::RgbImage card = Bench::TestCard();
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        host.SetImage(card);
        std::chrono::steady_clock::time_point renderStart;
        EffectTest::FakeEditor editor([&](CPSPlimPluginApp& app) {
            Deform(app);
            renderStart = std::chrono::steady_clock::now();
            return kHuxIdOk;
        });
        EffectTest::EditorInstallation installed(editor);
        const SquelmHost::RunResult result = host.RunFilter();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - renderStart).count();
        if (!result.Succeeded()) {
            std::fprintf(stderr, "final_render: the run failed (%d)\n", result.result);
            return 1;
        }
        rates.push_back(double(kWidth) * kHeight / 1e6 / seconds);
        std::printf("  run %d took %.3f s\n", run + 1, seconds);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("host-final-render: %.2f MP/s\n", rates[rates.size() / 2]);
    return 0;
}
