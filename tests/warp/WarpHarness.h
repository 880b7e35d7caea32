// Runs test code inside a filter run of the test host: a minimal filter
// whose Start hands the live framework (host record, advanceState) to the
// test, so tile caches are fed by the host exactly as in the plug-in.
#pragma once

#include "host/HuxPSFilter.h"
#include "host/HuxPSTileCache.h"
#include "testhost/TestHost.h"
#include "warp/NoiseImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>

namespace WarpTest {

class HarnessFilter : public HuxPSFilter {
public:
    std::function<void(HuxPSFilter&)> onStart;

    void Start() override
    {
        if (onStart)
            onStart(*this);
    }
};

inline HarnessFilter& Harness()
{
    static HarnessFilter filter;
    return filter;
}

inline void HarnessEntry(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    Harness().Dispatch(selector, record, data, result);
}

// Runs `body` inside Start; failures thrown by it become the run's result.
inline SquelmHost::RunResult RunInStart(SquelmHost::TestHost& host, std::function<void(HuxPSFilter&)> body)
{
    Harness().onStart = std::move(body);
    SquelmHost::RunResult result = host.RunFilter();
    Harness().onStart = nullptr;
    return result;
}

// The fixture of tests run inside a filter run of the test host.
class HarnessTest : public testing::Test {
protected:
    SquelmHost::TestHost host{&HarnessEntry};

    // Runs `body` inside Start; the run must succeed.
    void InStart(std::function<void(HuxPSFilter&)> body)
    {
        const SquelmHost::RunResult result = RunInStart(host, std::move(body));
        EXPECT_TRUE(result.Succeeded()) << result.hostError;
    }
};

struct CacheSetup {
    int32_t scale = 1;
    int32_t channelOrder = 0;
    int32_t edgeMode = 0;
    uint32_t edgeColour = 0;
    int32_t tileSize = 128;
    int32_t budget = 0x100000;
};

// Runs `body` inside Start with a cache over the host's filter rectangle,
// built with the host's mask flag.
inline SquelmHost::RunResult RunWithCache(SquelmHost::TestHost& host, const CacheSetup& setup,
                                          std::function<void(HuxPSTileCache&)> body)
{
    return RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, setup.scale);
        cache.Configure(setup.tileSize, setup.tileSize, setup.channelOrder, filter.HostRecord()->haveMask != 0,
                        setup.budget);
        cache.SetEdge(setup.edgeMode, setup.edgeColour);
        body(cache);
    });
}

} // namespace WarpTest
