// Shared pieces of the effect's tests: running the plug-in in the test host
// with an editor of the test's choosing, and small images with asymmetric
// markers.
#pragma once

#include "support/FakeEditor.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "grid/PSPlimTools.h"
#include "testhost/ImageCompare.h"
#include "testhost/PngIO.h"
#include "testhost/TestHost.h"

#include <gtest/gtest.h>

#include <string>

namespace EffectTest {

// A gradient with a distinct colour in every pixel of a small image, so that
// any shift or flip shows.
inline SquelmHost::RgbImage Gradient(int width, int height)
{
    SquelmHost::RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Set(x, y, uint8_t(x * 7 + y), uint8_t(y * 5 + 3 * x), uint8_t((x * y) & 0xFF));
    return image;
}

// The sample photograph of the tests (600 x 400).
inline SquelmHost::RgbImage Photo()
{
    const std::string here = __FILE__;
    const std::string root = here.substr(0, here.rfind("/tests/"));
    return SquelmHost::LoadRgbPng(root + "/tests/data/coffee.png");
}

// Runs the whole filter with an editor session on a fresh host.
struct RunOutcome {
    SquelmHost::RunResult result;
    SquelmHost::RgbImage image;
};

inline RunOutcome RunWith(SquelmHost::TestHost& host, std::function<int(CPSPlimPluginApp&)> session)
{
    FakeEditor editor(std::move(session));
    EditorInstallation installed(editor);
    RunOutcome run;
    run.result = host.RunFilter();
    run.image = host.Image();
    return run;
}

inline ::testing::AssertionResult SameImage(const SquelmHost::RgbImage& expected, const SquelmHost::RgbImage& actual)
{
    const SquelmHost::ImageDifference d = SquelmHost::CompareImages(expected, actual);
    if (d.Identical())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << d.Describe();
}

} // namespace EffectTest
