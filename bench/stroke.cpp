// Speed of one step of a stroke as the editor does it: one tool application
// and the re-render of the preview area it changed, on a 4000 x 3000 image
// shown at the fit level in a 640 x 480 preview and in a 1333 x 1000 one,
// over a 200-move stroke.
#include "support/FakeEditor.h"

#include "HuxLib/HUXUTIL/HuxWorkerPool.h"
#include "grid/PSPlimTools.h"
#include "testhost/TestHost.h"
#include "bench/TestCard.h"
#include "ui/PSPlimStroke.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
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

// The stroke on one thread, then on every thread the machine has when that
// is more, in each preview size.
int main()
{
    const int allThreads = HuxWorkerPool::ThreadCountFor(nullptr, std::thread::hardware_concurrency());
    std::vector<int> threadCounts{1};
    if (allThreads > 1)
        threadCounts.push_back(allThreads);
    const struct {
        int32_t width, height;
        const char* name; // in the case names; none for the first size
    } previews[] = {{640, 480, ""}, {1333, 1000, "-1333x1000"}};
    for (const auto& preview : previews) {
        for (const int threads : threadCounts) {
            SquelmHost::TestHost host(EffectTest::Entry());
            host.SetImage(Bench::TestCard());
            host.Options().renderThreads = threads;
            std::vector<double> times;
            EffectTest::FakeEditor editor([&](CPSPlimPluginApp& app) {
                app.SetPreviewSize(preview.width, preview.height);
                std::printf("preview: %dx%d at zoom level %d, %d threads\n", app.GetOutputPreview()->Width(),
                            app.GetOutputPreview()->AbsHeight(), app.GetZoomLevel(), threads);
                times = TimeStroke(app);
                return kHuxIdCancel;
            });
            EffectTest::EditorInstallation installed(editor);
            host.RunFilter();
            if (times.empty()) {
                std::fprintf(stderr, "stroke: the editor did not run\n");
                return 1;
            }
            const std::string suffix =
                preview.name + (threads == 1 ? std::string() : "-threads" + std::to_string(threads));
            std::printf("moves: %zu, slowest %.3f ms\n", times.size(), *std::max_element(times.begin(), times.end()));
            std::printf("stroke-update-p50%s: %.3f ms\n", suffix.c_str(), Percentile(times, 0.5));
            std::printf("stroke-update-p95%s: %.3f ms\n", suffix.c_str(), Percentile(times, 0.95));
        }
    }
    return 0;
}
