// A fixed set of threads that share out numbered tasks: the calling thread
// works too, so a pool of one thread runs everything on the caller. The
// workers live exactly as long as the pool, and each has the fault
// translator installed, so a fault in a task is thrown there like any other
// failure.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class HuxWorkerPool {
public:
    // At most this many threads, whatever the machine has.
    static constexpr int kMaxThreads = 32;

    // threadCount threads in all, the caller's included: threadCount - 1
    // workers are started here.
    explicit HuxWorkerPool(int threadCount);
    // Stops and joins every worker.
    ~HuxWorkerPool();
    HuxWorkerPool(const HuxWorkerPool&) = delete;
    HuxWorkerPool& operator=(const HuxWorkerPool&) = delete;

    int ThreadCount() const { return int(workers_.size()) + 1; }

    // Runs task(index, thread) for every index in [0, count), on all threads
    // (thread 0 is the caller), and returns once every started task has
    // ended. The first failure stops the hand-out of further tasks and is
    // rethrown here. With `callerFirst`, the caller runs it before it takes
    // any task, while the workers start on them (it must release any task
    // that waits for it, also when it fails); its failure counts as a
    // task's.
    using Task = std::function<void(int32_t index, int thread)>;
    void Run(int32_t count, const Task& task, const std::function<void()>& callerFirst = {});

    // The thread count a setting asks for (a whole number, as text), else
    // every hardware thread; always 1 .. kMaxThreads.
    static int ThreadCountFor(const char* setting, unsigned hardwareThreads);

private:
    void Stop();
    // Waits a little without sleeping for `done` to hold: jobs follow one
    // another closely, and waking a sleeping thread costs more than a task.
    template <class Done>
    static bool SpinFor(const Done& done);
    void WorkerLoop(int thread);
    // Takes and runs tasks of the current job until none is left.
    void Work(int thread);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;     // a job started, or the pool ends
    std::condition_variable finished_; // a worker left the current job
    // The current job, guarded by mutex_.
    const Task* task_ = nullptr;
    int32_t count_ = 0;
    int32_t next_ = 0;
    // Both change only under mutex_; they are atomic to be watched while
    // spinning.
    std::atomic<uint64_t> job_ = 0; // counts jobs, so that a worker joins each once
    std::atomic<int> busy_ = 0;     // workers inside the current job
    bool stopping_ = false;
    std::exception_ptr failure_;
};
