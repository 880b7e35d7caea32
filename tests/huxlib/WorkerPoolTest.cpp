// The worker pool: every task once, on any thread count; the first failure
// ends the job and reaches the caller; the caller's own first work; the
// count a setting asks for.
#include "HuxLib/HUXUTIL/HuxWorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(WorkerPoolTest, EveryTaskRunsOnceOnSomeThreadOfThePool)
{
    for (const int threads : {1, 2, 3, 8}) {
        HuxWorkerPool pool(threads);
        ASSERT_EQ(pool.ThreadCount(), threads);
        for (const int32_t count : {0, 1, 7, 500}) {
            std::vector<std::atomic<int>> runs(static_cast<size_t>(count));
            std::atomic<bool> threadInRange{true};
            pool.Run(count, [&](int32_t index, int thread) {
                runs[size_t(index)]++;
                if (thread < 0 || thread >= threads)
                    threadInRange = false;
            });
            for (int32_t i = 0; i < count; ++i)
                EXPECT_EQ(runs[size_t(i)].load(), 1) << threads << " threads, task " << i << " of " << count;
            EXPECT_TRUE(threadInRange);
        }
    }
}

TEST(WorkerPoolTest, AFailureStopsTheHandOutAndReachesTheCallerThenThePoolServesAgain)
{
    for (const int threads : {1, 3}) {
        HuxWorkerPool pool(threads);
        std::atomic<int> started{0};
        EXPECT_THROW(pool.Run(10000,
                              [&](int32_t index, int) {
                                  started++;
                                  if (index == 5)
                                      throw std::runtime_error("task 5");
                              }),
                     std::runtime_error);
        // Each thread finishes at most the task it holds once one fails.
        EXPECT_LE(started.load(), 6 + threads) << threads << " threads";
        std::atomic<int> after{0};
        pool.Run(20, [&](int32_t, int) { after++; });
        EXPECT_EQ(after.load(), 20);
    }
}

// The caller's own work comes before it takes a task, while the workers
// take them: with one thread every task waits for it; with more, the
// workers finish tasks meanwhile. Its failure ends the job like a task's.
TEST(WorkerPoolTest, TheCallersFirstWorkPrecedesItsTasksAndItsFailureReachesTheCaller)
{
    for (const int threads : {1, 2, 3}) {
        HuxWorkerPool pool(threads);
        std::atomic<bool> firstDone{false};
        std::atomic<int> callerTasksBefore{0}, tasksWhileFirst{0};
        pool.Run(
            200,
            [&](int32_t, int thread) {
                if (!firstDone)
                    (thread == 0 ? callerTasksBefore : tasksWhileFirst)++;
            },
            [&] {
                // Until a worker has taken a task, within reason.
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (threads > 1 && tasksWhileFirst == 0 && std::chrono::steady_clock::now() < until)
                    std::this_thread::yield();
                firstDone = true;
            });
        EXPECT_EQ(callerTasksBefore.load(), 0) << threads << " threads";
        EXPECT_EQ(tasksWhileFirst.load() > 0, threads > 1) << threads << " threads";

        std::atomic<int> started{0};
        EXPECT_THROW(pool.Run(
                         100000, [&](int32_t, int) { started++; }, [] { throw std::runtime_error("first"); }),
                     std::runtime_error);
        EXPECT_LT(started.load(), 100000) << threads << " threads";
    }
}

TEST(WorkerPoolTest, TheSettingChoosesTheCountWithinOneToThirtyTwo)
{
    const struct {
        const char* setting;
        unsigned hardware;
        int expected;
    } cases[] = {{nullptr, 8, 8}, {"", 2, 2},   {"1", 8, 1},    {"3", 2, 3},  {"64", 2, 32},
                 {"0", 4, 1},     {"-2", 4, 1}, {"two", 6, 6}, {nullptr, 0, 1}, {nullptr, 128, 32}};
    for (const auto& c : cases)
        EXPECT_EQ(HuxWorkerPool::ThreadCountFor(c.setting, c.hardware), c.expected)
            << (c.setting ? c.setting : "(none)") << " on " << c.hardware;
}
