// Speed of one step of a stroke as the editor does it: one tool application
// and the re-render of the preview area it changed, over a 200-move stroke:
// a loop through a 4000 x 3000 image shown at the fit level in a 640 x 480
// preview and in a 1333 x 1000 one, and a push along a long image, 200 x
// 3000 and the same turned, 3000 x 200, in the 640 x 480 preview.
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
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kMoves = 200;

using HuxGeometry::HuxPoint2D;

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(fraction * double(values.size())));
    return values[index];
}

// A loop through the middle of a w x h client area, 2 client pixels per move.
HuxPoint2D Loop(int i, int32_t w, int32_t h)
{
    const double t = 2.0 * 3.14159265358979 * i / kMoves;
    return {w / 2 + w / 4 * std::sin(t), h / 2 + h / 5 * std::sin(2 * t)};
}

// Along the longer side, from a tenth in at one end to a tenth in at the
// other: the grid ends up pushed far from where it lay.
HuxPoint2D PushAlong(int i, int32_t w, int32_t h)
{
    const double along = 0.1 + 0.8 * i / kMoves;
    return w >= h ? HuxPoint2D{w * along, h / 2.0} : HuxPoint2D{w / 2.0, h * along};
}

struct Case {
    const char* label; // what an argument picks a case by
    int32_t imageWidth, imageHeight;
    int32_t previewWidth, previewHeight;
    HuxPoint2D (*path)(int i, int32_t w, int32_t h);
};

SquelmHost::RgbImage CaseImage(const Case& c)
{
    if (c.imageWidth == Bench::kCardWidth && c.imageHeight == Bench::kCardHeight)
        return Bench::TestCard();
    SquelmHost::RgbImage image(c.imageWidth, c.imageHeight);
    for (int y = 0; y < c.imageHeight; ++y)
        for (int x = 0; x < c.imageWidth; ++x)
            image.Set(x, y, uint8_t(x * 7), uint8_t(y * 3), uint8_t((x ^ y) & 0xFF));
    return image;
}

// Plays the stroke in the preview's client area and times every move.
std::vector<double> TimeStroke(CPSPlimPluginApp& app, const Case& c)
{
    const HuxImage2* preview = app.GetOutputPreview();
    const int32_t w = preview->Width();
    const int32_t h = preview->AbsHeight();
    PSPlimStroke stroke(app);
    stroke.SetImageRect({0, 0, w, h});
    app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);

    std::vector<double> milliseconds;
    stroke.ButtonDown(PSPlimButton::Left, c.path(0, w, h));
    for (int i = 1; i <= kMoves; ++i) {
        const auto start = std::chrono::steady_clock::now();
        stroke.MouseMove(c.path(i, w, h));
        const auto end = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    stroke.ButtonUp(PSPlimButton::Left);
    return milliseconds;
}

// The loops' summary lines: the median and p95 step.
void ReportLoop(const std::string& suffix, const std::vector<double>& times)
{
    std::printf("stroke-update-p50%s: %.3f ms\n", suffix.c_str(), Percentile(times, 0.5));
    std::printf("stroke-update-p95%s: %.3f ms\n", suffix.c_str(), Percentile(times, 0.95));
}

} // namespace

// Each stroke on one thread, then on every thread the machine has when that
// is more. An argument limits the run to the cases whose label contains it.
int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    const int allThreads = HuxWorkerPool::ThreadCountFor(nullptr, std::thread::hardware_concurrency());
    std::vector<int> threadCounts{1};
    if (allThreads > 1)
        threadCounts.push_back(allThreads);
    const Case cases[] = {
        {"loop", Bench::kCardWidth, Bench::kCardHeight, 640, 480, Loop},
        {"loop-1333x1000", Bench::kCardWidth, Bench::kCardHeight, 1333, 1000, Loop},
        {"push-tall-200x3000", 200, 3000, 640, 480, PushAlong},
        {"push-wide-3000x200", 3000, 200, 640, 480, PushAlong},
    };
    for (const Case& c : cases) {
        if (std::string(c.label).find(only) == std::string::npos)
            continue;
        const SquelmHost::RgbImage image = CaseImage(c);
        for (const int threads : threadCounts) {
            SquelmHost::TestHost host(EffectTest::Entry());
            host.SetImage(image);
            host.Options().renderThreads = threads;
            std::vector<double> times;
            EffectTest::FakeEditor editor([&](CPSPlimPluginApp& app) {
                app.SetPreviewSize(c.previewWidth, c.previewHeight);
                std::printf("%s: %dx%d image, preview %dx%d at zoom level %d, %d threads\n", c.label, c.imageWidth,
                            c.imageHeight, app.GetOutputPreview()->Width(), app.GetOutputPreview()->AbsHeight(),
                            app.GetZoomLevel(), threads);
                times = TimeStroke(app, c);
                return kHuxIdCancel;
            });
            EffectTest::EditorInstallation installed(editor);
            host.RunFilter();
            if (times.empty()) {
                std::fprintf(stderr, "stroke: the editor did not run\n");
                return 1;
            }
            const std::string threadSuffix =
                threads == 1 ? std::string() : std::string("-threads").append(std::to_string(threads));
            std::printf("moves: %zu, slowest %.3f ms\n", times.size(), *std::max_element(times.begin(), times.end()));
            if (c.path == Loop) {
                const std::string size = c.previewWidth == 640 ? std::string() : std::string("-1333x1000");
                ReportLoop(size + threadSuffix, times);
            } else {
                // The mean: what the whole push costs, whatever its steps' spread.
                const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
                std::printf("stroke-%s-mean%s: %.3f ms\n", c.label, threadSuffix.c_str(), mean);
            }
        }
    }
    return 0;
}
