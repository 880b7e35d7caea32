// Runs test code inside a filter run of the test host: a minimal filter
// whose Start hands the live framework (host record, advanceState) to the
// test, so tile caches are fed by the host exactly as in the plug-in.
#pragma once

#include "host/HuxPSFilter.h"
#include "testhost/TestHost.h"

#include <cstdint>
#include <functional>
#include <random>
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

// Noise with a fixed seed: no symmetry for a flip or an offset to hide in.
inline SquelmHost::RgbImage NoiseImage(int width, int height, uint32_t seed)
{
    SquelmHost::RgbImage image(width, height);
    std::mt19937 random(seed);
    for (uint8_t& byte : image.pixels)
        byte = uint8_t(random());
    return image;
}

} // namespace WarpTest
