// Shared pieces of the effect's tests: running the plug-in in the test host
// with an editor of the test's choosing, and small images with asymmetric
// markers.
#pragma once

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "grid/PSPlimTools.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "host/entry/PluginMain.h"
#include "testhost/ImageCompare.h"
#include "testhost/PluginLoader.h"
#include "testhost/PngIO.h"
#include "testhost/TestHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace EffectTest {

// An editor whose whole session is a function of the test.
class FakeEditor : public PSPlimEditor {
public:
    explicit FakeEditor(std::function<int(CPSPlimPluginApp&)> session) : session_(std::move(session)) {}
    int RunModal(CPSPlimPluginApp& app) override { ++runs; return session_(app); }
    void UpdateToolbar() override { ++toolbarUpdates; }

    int runs = 0;
    int toolbarUpdates = 0;

private:
    std::function<int(CPSPlimPluginApp&)> session_;
};

// Installs an editor on the plug-in's application for one scope.
class EditorInstallation {
public:
    explicit EditorInstallation(PSPlimEditor& editor) { TheApp().SetEditor(&editor); }
    ~EditorInstallation() { TheApp().SetEditor(nullptr); }
    EditorInstallation(const EditorInstallation&) = delete;
    EditorInstallation& operator=(const EditorInstallation&) = delete;
};

inline PS::PluginEntry Entry()
{
    std::string error;
    return LoadPluginEntry("", error);
}

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
