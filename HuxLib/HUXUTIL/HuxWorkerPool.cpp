// Task numbers are handed out under one lock: a task is a band of pixels,
// far longer than taking the lock.
#include "HuxLib/HUXUTIL/HuxWorkerPool.h"

#include "HuxLib/HUXUTIL/HuxSETranslator.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>

HuxWorkerPool::HuxWorkerPool(int threadCount)
{
    const int workers = std::clamp(threadCount, 1, kMaxThreads) - 1;
    workers_.reserve(size_t(workers));
    try {
        for (int i = 0; i < workers; ++i)
            workers_.emplace_back(&HuxWorkerPool::WorkerLoop, this, i + 1);
    } catch (...) {
        // The threads already started must not outlive the failed pool.
        Stop();
        throw;
    }
}

HuxWorkerPool::~HuxWorkerPool() { Stop(); }

template <class Done>
bool HuxWorkerPool::SpinFor(const Done& done)
{
    // About the time a render task takes; a job later than that finds the
    // thread asleep.
    constexpr auto kSpin = std::chrono::microseconds(200);
    const auto until = std::chrono::steady_clock::now() + kSpin;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (done())
                return true;
#if defined(__i386__) || defined(__x86_64__)
            __builtin_ia32_pause();
#endif
        }
        if (std::chrono::steady_clock::now() >= until)
            return false;
    }
}

void HuxWorkerPool::Stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    workers_.clear();
}

void HuxWorkerPool::Run(int32_t count, const Task& task, const std::function<void()>& callerFirst)
{
    {
        std::lock_guard lock(mutex_);
        task_ = &task;
        count_ = count;
        next_ = 0;
        failure_ = nullptr;
        ++job_;
    }
    wake_.notify_all();
    if (callerFirst) {
        try {
            callerFirst();
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
        }
    }
    Work(0);
    SpinFor([this] { return busy_.load(std::memory_order_acquire) == 0; });
    std::unique_lock lock(mutex_);
    // Every worker has seen this job (or the job was over before it looked)
    // once none is busy and none can still take a task.
    finished_.wait(lock, [this] { return busy_ == 0; });
    // A worker that wakes only now must find nothing left to take: after a
    // failure tasks remain, and the failure is gone with the rethrow.
    task_ = nullptr;
    count_ = 0;
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void HuxWorkerPool::Work(int thread)
{
    std::unique_lock lock(mutex_);
    while (next_ < count_ && !failure_) {
        const int32_t index = next_++;
        const Task& task = *task_;
        lock.unlock();
        try {
            HuxFaultScope faults;
            task(index, thread);
        } catch (...) {
            lock.lock();
            if (!failure_)
                failure_ = std::current_exception();
            continue;
        }
        lock.lock();
    }
}

void HuxWorkerPool::WorkerLoop(int thread)
{
    HuxInstallFaultTranslator();
    uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        lock.unlock();
        SpinFor([&] { return job_.load(std::memory_order_acquire) != seen; });
        lock.lock();
        wake_.wait(lock, [&] { return stopping_ || job_ != seen; });
        if (stopping_)
            return;
        seen = job_;
        ++busy_;
        lock.unlock();
        Work(thread);
        lock.lock();
        --busy_;
        finished_.notify_all();
    }
}

int HuxWorkerPool::ThreadCountFor(const char* setting, unsigned hardwareThreads)
{
    long wanted = long(hardwareThreads);
    if (setting && *setting) {
        char* end = nullptr;
        const long parsed = std::strtol(setting, &end, 10);
        if (*end == '\0')
            wanted = parsed;
    }
    return int(std::clamp<long>(wanted, 1, kMaxThreads));
}
