// The filtered zoom as it runs: tap tables in the kernels' form, the choice of kernels, and the
// tasks of both passes shared out to helper threads.
#include "picture/ProcessorFeatures.h"
#include "picture/ZoomEngine.h"
#include "picture/ZoomKernels.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <utility>
#include <vector>

namespace {

using zoom_kernels::KernelSet;

std::atomic<ZoomCpuPath> g_CpuPath{ZoomCpuPath::Automatic};
std::atomic<int> g_MaxThreads{DefaultZoomThreading().maxThreads};
std::atomic<std::int64_t> g_MinWorkPerThread{DefaultZoomThreading().minWorkPerThread};

ZoomCpuPath Resolve(ZoomCpuPath path)
{
    if (path != ZoomCpuPath::Automatic)
        return path;
#ifdef LUMBREL_X86
    static const bool avx2 = ProcessorHasAvx2();
    return avx2 ? ZoomCpuPath::Avx2 : ZoomCpuPath::Sse2;
#else
    return ZoomCpuPath::Portable;
#endif
}

const KernelSet& KernelsFor(ZoomCpuPath path)
{
    switch (path) {
#ifdef LUMBREL_X86
    case ZoomCpuPath::Avx2:
        return zoom_kernels::Avx2Kernels();
    case ZoomCpuPath::Sse2:
        return zoom_kernels::Sse2Kernels();
#endif
    default:
        return zoom_kernels::PortableKernels();
    }
}

// Threads that share the tasks of a zoom with the thread that runs it. Starting a thread costs
// tens of microseconds natively but over a millisecond under Wine, so helpers are started when a
// zoom first wants them and then wait for the next one. Tasks are handed out by an atomic count,
// so a helper that the system runs late finds less to do rather than holding the zoom up. A zoom
// that finds the helpers busy with another thread's zoom runs alone.
class Helpers {
public:
    using Work = void (*)(void* context, int task, int worker);

    static Helpers& Instance()
    {
        // Never destroyed: the helpers wait for work until the process ends.
        static auto* const helpers = new Helpers;
        return *helpers;
    }

    // Runs every task from 0 to tasks - 1 once, on this thread (worker 0) and on helpers
    // (workers 1 to workers - 1); returns when all are done.
    void Run(int tasks, int workers, Work work, void* context) noexcept
    {
        const std::unique_lock<std::mutex> use(m_Use, std::try_to_lock);
        if (!use.owns_lock() || workers < 2 || tasks < 2 || Start(workers - 1) == 0) {
            for (int task = 0; task < tasks; ++task)
                work(context, task, 0);
            return;
        }
        const Job job{work, context, tasks};
        {
            const std::lock_guard<std::mutex> lock(m_Mutex);
            m_Job = job;
            m_Workers = workers;
            m_Next = 0;
            ++m_Generation;
        }
        m_Wake.notify_all();
        TakeTasks(job, 0);
        // Every task is taken; those still running belong to helpers inside the job.
        std::unique_lock<std::mutex> lock(m_Mutex);
        m_Idle.wait(lock, [this] { return m_Inside == 0; });
        m_Job.tasks = 0;
    }

private:
    struct Job {
        Work work;
        void* context;
        int tasks; // 0 between zooms
    };

    Helpers() = default;

    // Starts helpers until there are `wanted`; returns how many there are, up to that number.
    int Start(int wanted) noexcept
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

    void TakeTasks(const Job& job, int worker)
    {
        for (int task = m_Next++; task < job.tasks; task = m_Next++)
            job.work(job.context, task, worker);
    }

    void Serve(int worker)
    {
        std::uint64_t served = 0;
        std::unique_lock<std::mutex> lock(m_Mutex);
        for (;;) {
            m_Wake.wait(lock, [&] {
                return m_Job.tasks > 0 && m_Generation != served && worker < m_Workers;
            });
            served = m_Generation;
            const Job job = m_Job;
            ++m_Inside;
            lock.unlock();
            TakeTasks(job, worker);
            lock.lock();
            if (--m_Inside == 0)
                m_Idle.notify_all();
        }
    }

    std::mutex m_Use; // held by the zoom whose tasks the helpers take
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    std::condition_variable m_Idle;
    std::vector<std::thread> m_Threads;
    Job m_Job{nullptr, nullptr, 0};
    int m_Workers = 0;
    std::uint64_t m_Generation = 0; // of the job, so that a helper joins each job once
    int m_Inside = 0;               // helpers taking tasks of the job
    std::atomic<int> m_Next{0};     // the next task nobody has taken
};

// Outputs begin to end - 1 of one axis, reading source positions low to high (none when high <
// low).
struct Chunk {
    std::int32_t begin;
    std::int32_t end;
    std::int32_t low;
    std::int32_t high;

    std::int32_t Positions() const { return high - low + 1; }
};

// The taps of one axis without those of weight 0. Outputs are split into chunks that read few
// enough positions for their block to stay in cache, and each output's offsets count from its
// chunk's lowest position, so a block holds just that chunk.
class KernelTaps {
public:
    KernelTaps(const ContributionTable& table, std::int32_t lanes) : m_Lanes(lanes)
    {
        m_First.reserve(static_cast<std::size_t>(table.Length()) + 1);
        m_First.push_back(0);
        for (std::int32_t i = 0; i < table.Length(); ++i) {
            const ContributionList& list = table[i];
            for (std::int32_t k = 0; k < list.count; ++k) {
                if (list.entries[k].weight == 0.0)
                    continue;
                m_Offset.push_back(list.entries[k].index * lanes);
                m_Weight.push_back(list.entries[k].weight);
            }
            m_First.push_back(static_cast<std::int32_t>(m_Offset.size()));
        }
    }

    zoom_kernels::Taps View() const { return {m_First.data(), m_Offset.data(), m_Weight.data()}; }
    std::int64_t Count() const { return static_cast<std::int64_t>(m_Offset.size()); }

    // Splits outputs begin to end - 1, which no earlier split took, into chunks of at most
    // `room` positions (or of one output, however wide its window) and `most` outputs.
    std::vector<Chunk> Split(std::int32_t begin, std::int32_t end, std::int32_t room,
                             std::int32_t most)
    {
        std::vector<Chunk> chunks;
        for (std::int32_t i = begin; i < end;) {
            Chunk chunk{i, i, std::numeric_limits<std::int32_t>::max(), -1};
            for (; chunk.end < end && chunk.end - chunk.begin < most; ++chunk.end) {
                const auto [low, high] = Reach(chunk.end);
                const std::int32_t wider = std::max(chunk.high, high) - std::min(chunk.low, low);
                if (chunk.end > chunk.begin && wider >= room)
                    break;
                chunk.low = std::min(chunk.low, low);
                chunk.high = std::max(chunk.high, high);
            }
            if (chunk.high < chunk.low)
                chunk = {chunk.begin, chunk.end, 0, -1};
            for (std::int32_t t = m_First[chunk.begin]; t < m_First[chunk.end]; ++t)
                m_Offset[t] -= chunk.low * m_Lanes;
            chunks.push_back(chunk);
            i = chunk.end;
        }
        return chunks;
    }

private:
    // The lowest and highest position output i reads, or {max, -1} when it reads none.
    std::pair<std::int32_t, std::int32_t> Reach(std::int32_t i) const
    {
        std::pair<std::int32_t, std::int32_t> reach{std::numeric_limits<std::int32_t>::max(), -1};
        for (std::int32_t t = m_First[i]; t < m_First[i + 1]; ++t) {
            reach.first = std::min(reach.first, m_Offset[t] / m_Lanes);
            reach.second = std::max(reach.second, m_Offset[t] / m_Lanes);
        }
        return reach;
    }

    std::int32_t m_Lanes;
    std::vector<std::int32_t> m_First;
    std::vector<std::int32_t> m_Offset;
    std::vector<double> m_Weight;
};

std::int32_t WidestChunk(const std::vector<Chunk>& chunks)
{
    std::int32_t widest = 0;
    for (const Chunk& chunk : chunks)
        widest = std::max(widest, chunk.Positions());
    return widest;
}

std::int32_t LongestChunk(const std::vector<Chunk>& chunks)
{
    std::int32_t longest = 0;
    for (const Chunk& chunk : chunks)
        longest = std::max(longest, chunk.end - chunk.begin);
    return longest;
}

// A block's samples on a 64-byte boundary, so that no vector load straddles two cache lines.
class BlockBuffer {
public:
    explicit BlockBuffer(std::size_t count) : m_Storage(new float[count + kSlack])
    {
        void* start = m_Storage.get();
        std::size_t space = (count + kSlack) * sizeof(float);
        m_Data = static_cast<float*>(std::align(64, count * sizeof(float), start, space));
    }

    float* Data() const { return m_Data; }

private:
    static constexpr std::size_t kSlack = 64 / sizeof(float);
    std::unique_ptr<float[]> m_Storage;
    float* m_Data;
};

// The kernels in use, when tap offsets (source positions times lanes) fit in 32 bits.
const KernelSet& KernelsFitting(std::int32_t srcWidth, std::int32_t srcHeight)
{
    const KernelSet& kernels = KernelsFor(ZoomCpuPathInUse());
    if (std::max(srcWidth, srcHeight) > std::numeric_limits<std::int32_t>::max() / kernels.lanes)
        throw std::bad_alloc();
    return kernels;
}

std::size_t Product(std::int64_t a, std::int64_t b)
{
    if (a < 0 || b < 0 || (a != 0 && b > std::numeric_limits<std::ptrdiff_t>::max() / a))
        throw std::bad_alloc();
    return static_cast<std::size_t>(a * b);
}

} // namespace

bool ZoomCpuPathAvailable(ZoomCpuPath path)
{
    if (path == ZoomCpuPath::Automatic || path == ZoomCpuPath::Portable)
        return true;
#ifdef LUMBREL_X86
    if (path == ZoomCpuPath::Sse2)
        return true;
    if (path == ZoomCpuPath::Avx2)
        return ProcessorHasAvx2();
#endif
    return false;
}

bool SetZoomCpuPath(ZoomCpuPath path)
{
    if (!ZoomCpuPathAvailable(path))
        return false;
    g_CpuPath = path;
    return true;
}

ZoomCpuPath ZoomCpuPathInUse()
{
    return Resolve(g_CpuPath);
}

ZoomThreading DefaultZoomThreading()
{
    // Below about a million products a thread's share is done before a helper is under way.
    constexpr std::int64_t kMinWorkPerThread = 1'000'000;
    const unsigned processors = std::thread::hardware_concurrency();
    return {static_cast<int>(std::clamp(processors, 1U, 4U)), kMinWorkPerThread};
}

void SetZoomThreading(const ZoomThreading& threading)
{
    g_MaxThreads = std::max(threading.maxThreads, 1);
    g_MinWorkPerThread = std::max<std::int64_t>(threading.minWorkPerThread, 0);
}

// The bytes of a block's chunk, all channels together: small enough for the first-level cache.
constexpr std::int64_t kChunkBytes = std::int64_t{32} * 1024;
// Destination rows per vertical task: threads that take neighbouring strips at once are in rows
// of their own, instead of writing the same cache lines.
constexpr std::int32_t kChunkRows = 64;
constexpr std::ptrdiff_t kCacheLine = 64;

// The scratch memory of one thread.
struct ZoomWorker {
    std::vector<BlockBuffer> blocks; // one per channel
    std::vector<float*> blockData;
    std::vector<std::uint8_t> out; // per channel, filter outputs of a task
    std::vector<const std::uint8_t*> lines;
};

// The zoom runs in two phases of tasks that any thread may take: blocks of source rows filtered
// horizontally into the intermediate rows (and copied, when a copy is asked for), then strips of
// intermediate columns filtered vertically, a chunk of destination rows at a time.
struct PlannedZoom::Plan {
    Plan(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
         std::int32_t dstHeight, std::int32_t channelCount, ZoomFilter filter, double support)
        : kernels(KernelsFitting(srcWidth, srcHeight)), width(srcWidth), height(srcHeight),
          outWidth(dstWidth), channels(channelCount),
          horizontal(ContributionTable(srcWidth, dstWidth, filter, support), kernels.lanes),
          vertical(ContributionTable(srcHeight, dstHeight, filter, support), kernels.lanes),
          rowLength((dstWidth + kCacheLine - 1) / kCacheLine * kCacheLine),
          strips((dstWidth + kernels.lanes - 1) / kernels.lanes),
          chunks(horizontal.Split(0, dstWidth, Room(channels), dstWidth)),
          rowChunks(vertical.Split(0, dstHeight, Room(1), kChunkRows))
    {
        for (const Chunk& chunk : rowChunks) {
            if (chunk.Positions() > 0) {
                firstSource = std::min(firstSource, chunk.low);
                lastSource = std::max(lastSource, chunk.high);
            }
        }
        if (lastSource < firstSource) {
            firstSource = 0;
            lastSource = -1;
        }
        const std::size_t bytes = Product(Product(channels, SourceRows()), rowLength);
        storage.reset(new std::uint8_t[bytes + kCacheLine]);
        void* start = storage.get();
        std::size_t space = bytes + kCacheLine;
        intermediate = static_cast<std::uint8_t*>(std::align(kCacheLine, bytes, start, space));
        // Strips read whole lanes: the padding of the rows must hold bytes too.
        for (std::size_t row = 0; row < bytes; row += rowLength)
            std::memset(intermediate + row + outWidth, 0, rowLength - outWidth);
        const int count = WorkerCount();
        for (int w = 0; w < count; ++w)
            AddWorker();
    }

    // Positions per chunk for blocks of `blockCount` channels.
    std::int32_t Room(std::int32_t blockCount) const
    {
        const std::int64_t bytesPerPosition = std::int64_t{kernels.lanes} * sizeof(float);
        return static_cast<std::int32_t>(
            std::max<std::int64_t>(kChunkBytes / (bytesPerPosition * blockCount), 1));
    }

    // Sample products to compute, loads included, against the threading settings.
    int WorkerCount() const
    {
        const std::int64_t work =
            channels * (SourceRows() * horizontal.Count() + outWidth * vertical.Count() +
                        std::int64_t{width} * SourceRows());
        const std::int64_t minWork = std::max<std::int64_t>(g_MinWorkPerThread, 1);
        return static_cast<int>(
            std::min<std::int64_t>(g_MaxThreads.load(), std::max<std::int64_t>(work / minWork, 1)));
    }

    void AddWorker()
    {
        const std::int32_t lanes = kernels.lanes;
        const std::size_t positions = std::max(WidestChunk(chunks), WidestChunk(rowChunks));
        const std::size_t outputs =
            std::max<std::size_t>(outWidth, static_cast<std::size_t>(LongestChunk(rowChunks)));
        ZoomWorker worker{{},
                          {},
                          std::vector<std::uint8_t>(Product(Product(channels, outputs), lanes)),
                          std::vector<const std::uint8_t*>(lanes)};
        for (std::int32_t c = 0; c < channels; ++c) {
            worker.blocks.emplace_back(Product(positions, lanes));
            worker.blockData.push_back(worker.blocks.back().Data());
        }
        workers.push_back(std::move(worker));
    }

    std::int32_t SourceRows() const { return lastSource - firstSource + 1; }
    int RowTasks() const { return (SourceRows() + kernels.lanes - 1) / kernels.lanes; }
    int StripTasks() const { return static_cast<int>(rowChunks.size()) * strips; }
    // Consecutive tasks, which threads take at once, go to different chunks of rows.
    const Chunk& RowChunkOf(int task) const { return rowChunks[task % rowChunks.size()]; }
    int StripOf(int task) const { return task / static_cast<int>(rowChunks.size()); }

    // One block of source rows, every channel; a last block short of rows repeats its last row,
    // and the repeats are not stored. While a chunk of this block is filtered, the same stretch
    // of the next block's rows is fetched.
    void Horizontal(int task, ZoomWorker& worker, const std::uint8_t* src, ZoomLayout from,
                    std::uint8_t* copy) const
    {
        const std::int32_t lanes = kernels.lanes;
        const std::int32_t r = task * lanes; // from firstSource
        const std::int32_t count = std::min(lanes, SourceRows() - r);
        const std::int32_t nextCount = std::min(lanes, SourceRows() - r - lanes);
        const std::uint8_t* const first = src + (firstSource + r) * from.rowStride;
        const std::size_t plane = worker.out.size() / channels;
        for (const Chunk& chunk : chunks) {
            const std::ptrdiff_t start = chunk.low * from.pixelStep;
            if (nextCount > 0) {
                for (std::int32_t l = 0; l < lanes; ++l)
                    worker.lines[l] =
                        first + (lanes + std::min(l, nextCount - 1)) * from.rowStride + start;
                kernels.prefetchLines(worker.lines.data(), chunk.Positions() * from.pixelStep);
            }
            for (std::int32_t l = 0; l < lanes; ++l)
                worker.lines[l] = first + std::min(l, count - 1) * from.rowStride + start;
            if (chunk.Positions() > 0)
                kernels.loadLines(worker.blockData.data(), channels, worker.lines.data(),
                                  from.pixelStep, chunk.Positions());
            for (std::int32_t c = 0; c < channels; ++c)
                kernels.filter(horizontal.View(), chunk.begin, chunk.end, worker.blockData[c],
                               worker.out.data() + c * plane +
                                   chunk.begin * static_cast<std::ptrdiff_t>(lanes));
        }
        for (std::int32_t c = 0; c < channels; ++c)
            kernels.storeRows(worker.out.data() + c * plane, count, outWidth, IntermediateRow(c, r),
                              rowLength);
        // The copy is made while the rows are still in cache.
        if (copy != nullptr)
            CopyRows(firstSource + r, firstSource + r + count, src, from, copy);
    }

    // Source rows that no output reads are copied apart.
    void CopyUnread(const std::uint8_t* src, ZoomLayout from, std::uint8_t* copy) const
    {
        if (SourceRows() == 0) {
            CopyRows(0, height, src, from, copy);
            return;
        }
        CopyRows(0, firstSource, src, from, copy);
        CopyRows(lastSource + 1, height, src, from, copy);
    }

    void CopyRows(std::int32_t begin, std::int32_t end, const std::uint8_t* src, ZoomLayout from,
                  std::uint8_t* copy) const
    {
        for (std::int32_t row = begin; row < end; ++row)
            kernels.copyColours(src + row * from.rowStride, copy + row * from.rowStride, width);
    }

    // One strip of lanes intermediate columns, every channel, for one chunk of destination
    // rows. Intermediate rows are padded to whole strips.
    void Vertical(int task, ZoomWorker& worker, std::uint8_t* dst, ZoomLayout to) const
    {
        const Chunk& chunk = RowChunkOf(task);
        const std::int32_t k = StripOf(task) * kernels.lanes;
        const std::size_t plane = worker.out.size() / channels;
        for (std::int32_t c = 0; c < channels; ++c) {
            if (chunk.Positions() > 0)
                kernels.loadAcross(worker.blockData[0],
                                   IntermediateRow(c, chunk.low - firstSource) + k, rowLength,
                                   chunk.Positions());
            kernels.filter(vertical.View(), chunk.begin, chunk.end, worker.blockData[0],
                           worker.out.data() + c * plane);
        }
        WriteStrip(worker.out.data(), plane, chunk.end - chunk.begin,
                   std::min(kernels.lanes, outWidth - k),
                   dst + chunk.begin * to.rowStride + k * to.pixelStep, to);
    }

    std::uint8_t* IntermediateRow(std::int32_t c, std::int32_t r) const
    {
        return intermediate + (static_cast<std::ptrdiff_t>(c) * SourceRows() + r) * rowLength;
    }

    // Filter outputs of a strip, channel c of row j and lane l at out[c x plane + j x lanes + l],
    // into `count` pixels of each destination row.
    void WriteStrip(const std::uint8_t* out, std::size_t plane, std::int32_t rows,
                    std::int32_t count, std::uint8_t* dst, ZoomLayout to) const
    {
        const std::int32_t lanes = kernels.lanes;
        if (channels == 3 && to.pixelStep == 4) {
            kernels.storePixels(out, static_cast<std::ptrdiff_t>(plane), rows, count, dst,
                                to.rowStride);
            return;
        }
        for (std::int32_t j = 0; j < rows; ++j, dst += to.rowStride) {
            const std::uint8_t* samples = out + j * static_cast<std::ptrdiff_t>(lanes);
            if (channels == 1 && to.pixelStep == 1) {
                std::memcpy(dst, samples, count);
            } else {
                for (std::int32_t l = 0; l < count; ++l) {
                    for (std::int32_t c = 0; c < channels; ++c)
                        dst[l * to.pixelStep + c] = samples[c * plane + l];
                }
            }
        }
    }

    const KernelSet& kernels;
    std::int32_t width; // of the source
    std::int32_t height;
    std::int32_t outWidth;
    std::int32_t channels;
    KernelTaps horizontal;
    KernelTaps vertical;
    std::ptrdiff_t rowLength; // of the intermediate rows: whole cache lines, so whole strips
    int strips;
    std::vector<Chunk> chunks;                                           // of the horizontal pass
    std::vector<Chunk> rowChunks;                                        // of the vertical pass
    std::int32_t firstSource = std::numeric_limits<std::int32_t>::max(); // source rows read
    std::int32_t lastSource = -1;
    std::unique_ptr<std::uint8_t[]> storage;
    std::uint8_t* intermediate = nullptr; // per channel, rows firstSource to lastSource
    std::vector<ZoomWorker> workers;
};

PlannedZoom::PlannedZoom(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
                         std::int32_t dstHeight, std::int32_t channels, ZoomFilter filter,
                         double support)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || channels <= 0 ||
        filter == nullptr)
        throw std::bad_alloc();
    m_Plan =
        std::make_unique<Plan>(srcWidth, srcHeight, dstWidth, dstHeight, channels, filter, support);
}

PlannedZoom::~PlannedZoom() = default;

// NOLINTNEXTLINE(readability-non-const-parameter): both are written through the job
void PlannedZoom::Run(const std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
                      ZoomLayout dstLayout, std::uint8_t* sourceCopy) noexcept
{
    if (src == nullptr || dst == nullptr)
        return;
    struct Job {
        Plan& plan;
        const std::uint8_t* src;
        ZoomLayout from;
        std::uint8_t* dst;
        ZoomLayout to;
        std::uint8_t* copy;
    } job{*m_Plan, src, srcLayout, dst, dstLayout, sourceCopy};
    const auto rows = [](void* context, int task, int worker) {
        const Job& j = *static_cast<Job*>(context);
        j.plan.Horizontal(task, j.plan.workers[worker], j.src, j.from, j.copy);
    };
    const auto strips = [](void* context, int task, int worker) {
        const Job& j = *static_cast<Job*>(context);
        j.plan.Vertical(task, j.plan.workers[worker], j.dst, j.to);
    };
    const int workers = static_cast<int>(m_Plan->workers.size());
    Helpers::Instance().Run(m_Plan->RowTasks(), workers, rows, &job);
    if (sourceCopy != nullptr)
        m_Plan->CopyUnread(src, srcLayout, sourceCopy);
    Helpers::Instance().Run(m_Plan->StripTasks(), workers, strips, &job);
}
