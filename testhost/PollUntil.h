// The one way tests and drivers wait for something another thread or the
// display does: ask again every `interval` until `done` holds or `timeout`
// has passed. Returns whether it held.
#pragma once

#include <chrono>
#include <thread>

namespace SquelmHost {

constexpr std::chrono::milliseconds kPollTimeout{5000};
constexpr std::chrono::milliseconds kPollInterval{50};

template <class Done>
bool PollUntil(Done&& done, std::chrono::milliseconds timeout = kPollTimeout,
               std::chrono::milliseconds interval = kPollInterval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

} // namespace SquelmHost
