// Shared pieces of the test host's own tests: a fixture with a scripted
// plug-in and a small image whose every pixel tells where it came from.
#pragma once

#include <gtest/gtest.h>

#include "testhost/FakePlugin.h"
#include "testhost/TestHost.h"

namespace SquelmHostTest {

// Red = x, green = y, blue = 3x + 5y + 1 (mod 256): no two pixels of a small
// image agree, and a flip or an offset by one shows.
SquelmHost::RgbImage Pattern(int width, int height);

// Distinct mask values: 20x + y + 7 (mod 256).
SquelmHost::GreyImage MaskPattern(int width, int height);

class HostTest : public ::testing::Test {
protected:
    HostTest()
    {
        host.SetImage(Pattern(10, 7));
        host.BuildRecord();
    }

    // Sets a request and calls advanceState as a plug-in would.
    PS::OSErr Advance(PS::Rect in, PS::Rect out, PS::Rect mask, int scale = 1)
    {
        Request(host.Record(), in, out, mask, scale);
        return host.Record().advanceState();
    }

    FakePlugin plugin;
    SquelmHost::TestHost host{FakePlugin::Entry()};
};

} // namespace SquelmHostTest
