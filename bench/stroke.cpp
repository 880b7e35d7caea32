// Speed of one step of a stroke as the editor does it: one tool application
// and the re-render of the preview area it changed, on a 4000 x 3000 image
// shown in a 640 x 480 preview at the fit level, over a 200-move stroke.
#include "support/FakeEditor.h"

#include "grid/PSPlimTools.h"
#include "testhost/TestHost.h"
#include "bench/TestCard.h"
#include "ui/PSPlimStroke.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = Bench::kCardWidth;
constexpr int kHeight = Bench::kCardHeight;
constexpr int kMoves = 200;

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(fraction * double(values.size())));
    return values[index];
}

// Plays the stroke in the preview's client area and times every move.
std::vector<double> TimeStroke(CPSPlimPluginApp& app)
{
    const HuxImage2* preview = app.GetOutputPreview();
    const int32_t w = preview->Width();
    const int32_t h = preview->AbsHeight();
    PSPlimStroke stroke(app);
    stroke.SetImageRect({0, 0, w, h});
    app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);

    // A loop through the middle of the image, 2 client pixels per move.
    auto at = [&](int i) {
        const double t = 2.0 * 3.14159265358979 * i / kMoves;
        return HuxGeometry::HuxPoint2D{w / 2 + w / 4 * std::sin(t), h / 2 + h / 5 * std::sin(2 * t)};
    };
    std::vector<double> milliseconds;
    stroke.ButtonDown(PSPlimButton::Left, at(0));
    for (int i = 1; i <= kMoves; ++i) {
        const auto start = std::chrono::steady_clock::now();
        stroke.MouseMove(at(i));
        const auto end = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    stroke.ButtonUp(PSPlimButton::Left);
    return milliseconds;
}

} // namespace

int main()
{
    SquelmHost::TestHost host(EffectTest::Entry());
    host.SetImage(Bench::TestCard());
    std::vector<double> times;
    EffectTest::FakeEditor editor([&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(640, 480);
        std::printf("preview: %dx%d at zoom level %d\n", app.GetOutputPreview()->Width(),
                    app.GetOutputPreview()->AbsHeight(), app.GetZoomLevel());
        times = TimeStroke(app);
        return kHuxIdCancel;
    });
    EffectTest::EditorInstallation installed(editor);
    host.RunFilter();
    if (times.empty()) {
        std::fprintf(stderr, "stroke: the editor did not run\n");
        return 1;
    }
    std::printf("moves: %zu, slowest %.3f ms\n", times.size(), *std::max_element(times.begin(), times.end()));
    std::printf("stroke-update-p50: %.3f ms\n", Percentile(times, 0.5));
    std::printf("stroke-update-p95: %.3f ms\n", Percentile(times, 0.95));
    return 0;
}
