// Threads that share the work of a zoom with the thread that runs it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// Starting a thread costs tens of microseconds natively but over a millisecond under Wine, so
// helpers are started when a job first wants them and then wait for the next one. A job decides
// itself how its work is shared out: every worker calls it once and takes work until none is left,
// so a helper that the system runs late finds less to do rather than holding the job up.
class WorkerPool {
public:
    using Work = void (*)(void* context, int worker);

    // The pool of the process, destroyed when the program's static objects are: from exit(),
    // while every thread still runs (the helpers are joined then, not left to be killed). It is
    // linked into the program, never into a DLL, whose detach would join with the loader lock
    // held.
    static WorkerPool& Instance();

    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    // Tells the helpers to stop and joins them. No job may be running.
    ~WorkerPool();

    // Calls work(context, 0) on this thread and work(context, w) on helpers for w from 1 to
    // workers - 1, as far as helpers can be had; returns when every call has returned. A job
    // that finds the helpers busy with another thread's job, or that cannot start one, runs as
    // worker 0 alone, so worker 0 must be able to do all of it.
    void Run(int workers, Work work, void* context) noexcept;

private:
    struct Job {
        Work work;
        void* context;
        int workers; // 0 between jobs
    };

    WorkerPool() = default;

    // Starts helpers until there are `wanted`; returns how many there are, up to that number.
    int Start(int wanted) noexcept;
    void Serve(int worker);

    std::mutex m_Use; // held by the job the helpers work on
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    std::condition_variable m_Idle;
    std::vector<std::thread> m_Threads;
    Job m_Job{nullptr, nullptr, 0};
    std::uint64_t m_Generation = 0; // of the job, so that a helper joins each job once
    int m_Inside = 0;               // helpers working on the job
    bool m_Stopping = false;        // the helpers are to return
};
