#include "picture/WorkerPool.h"

#include <algorithm>

WorkerPool& WorkerPool::Instance()
{
    static WorkerPool pool;
    return pool;
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard<std::mutex> lock(m_Mutex);
        m_Stopping = true;
    }
    m_Wake.notify_all();
    for (std::thread& thread : m_Threads)
        thread.join();
}

void WorkerPool::Run(int workers, Work work, void* context) noexcept
{
    const std::unique_lock<std::mutex> use(m_Use, std::try_to_lock);
    const int helpers = use.owns_lock() && workers > 1 ? Start(workers - 1) : 0;
    if (helpers == 0) {
        work(context, 0);
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(m_Mutex);
        m_Job = {work, context, helpers + 1};
        ++m_Generation;
    }
    m_Wake.notify_all();
    work(context, 0);
    // Worker 0 has returned, so no work is left; helpers that have not joined yet must not.
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Idle.wait(lock, [this] { return m_Inside == 0; });
    m_Job.workers = 0;
}

int WorkerPool::Start(int wanted) noexcept
{
    try {
        while (static_cast<int>(m_Threads.size()) < wanted) {
            const int worker = static_cast<int>(m_Threads.size()) + 1;
            m_Threads.emplace_back([this, worker] { Serve(worker); });
        }
    } catch (...) {
        // No more threads to be had: the ones there are will do.
    }
    return std::min(static_cast<int>(m_Threads.size()), wanted);
}

void WorkerPool::Serve(int worker)
{
    std::uint64_t served = 0;
    std::unique_lock<std::mutex> lock(m_Mutex);
    for (;;) {
        m_Wake.wait(
            lock, [&] { return m_Stopping || (worker < m_Job.workers && m_Generation != served); });
        if (m_Stopping)
            return;
        served = m_Generation;
        const Job job = m_Job;
        ++m_Inside;
        lock.unlock();
        job.work(job.context, worker);
        lock.lock();
        if (--m_Inside == 0)
            m_Idle.notify_all();
    }
}
