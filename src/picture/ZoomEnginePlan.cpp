// The filtered zoom as it runs: tap tables in the kernels' form, the choice of kernels, and the
// rows of the destination shared out to helper threads, each filtering the source rows it needs
// into a small ring of its own.
#include "picture/BlockSize.h"
#include "picture/ProcessorFeatures.h"
#include "picture/WorkerPool.h"
#include "picture/ZoomEngine.h"
#include "picture/ZoomKernels.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr std::ptrdiff_t kCacheLine = 64;

using zoom_kernels::KernelSet;

std::atomic<int> g_MaxThreads{DefaultZoomThreading().maxThreads};
std::atomic<std::int64_t> g_MinWorkPerThread{DefaultZoomThreading().minWorkPerThread};

// The widest kernels at or below the level in use: there are none for SSSE3.
const KernelSet& KernelsInUse()
{
    switch (InstructionSetInUse()) {
#ifdef LUMBREL_X86
    case InstructionSet::Avx2:
        return zoom_kernels::Avx2Kernels();
    case InstructionSet::Ssse3:
    case InstructionSet::Sse2:
        return zoom_kernels::Sse2Kernels();
#endif
    default:
        return zoom_kernels::PortableKernels();
    }
}

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

// Scratch memory on a cache-line boundary, so that no vector load straddles two cache lines.
template <typename T> class AlignedBuffer {
public:
    explicit AlignedBuffer(std::size_t count) : m_Storage(new T[count + kSlack])
    {
        void* start = m_Storage.get();
        std::size_t space = (count + kSlack) * sizeof(T);
        m_Data = static_cast<T*>(std::align(kCacheLine, count * sizeof(T), start, space));
    }

    T* Data() const { return m_Data; }

private:
    static constexpr std::size_t kSlack = kCacheLine / sizeof(T);
    std::unique_ptr<T[]> m_Storage;
    T* m_Data;
};

// The kernels in use, when tap offsets (source positions times lanes) fit in 32 bits.
const KernelSet& KernelsFitting(std::int32_t srcWidth, std::int32_t srcHeight)
{
    const KernelSet& kernels = KernelsInUse();
    if (std::max(srcWidth, srcHeight) > std::numeric_limits<std::int32_t>::max() / kernels.lanes)
        throw std::bad_alloc();
    return kernels;
}

} // namespace

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
// The bytes of a thread's ring of horizontally filtered rows, all channels together: small
// enough for the second-level cache, unless one destination row alone reads more source rows.
constexpr std::int64_t kRingBytes = std::int64_t{512} * 1024;
// Destination rows per chunk: few enough that a thread done with its own stretch finds chunks
// left in the others'.
constexpr std::int32_t kChunkRows = 32;

// The scratch memory of one thread, and which source rows its ring holds: row r, once filtered
// horizontally, lies in slot r modulo the ring's rows.
struct ZoomWorker {
    std::vector<AlignedBuffer<float>> blocks; // one per channel
    std::vector<float*> blockData;
    std::vector<std::uint8_t> out; // per channel, filter outputs of a block of rows or a strip
    std::vector<const std::uint8_t*> lines;
    AlignedBuffer<std::uint8_t> ring; // per channel, a slot of rowLength bytes per ring row
    std::int32_t ringLow = 0;         // the rows held: ringLow to ringHigh
    std::int32_t ringHigh = -1;
};

// A worker's own run of chunks, from the first nobody has taken to the end.
struct Stretch {
    std::atomic<std::int32_t> next{0};
    std::int32_t end = 0;
};

// Source rows low to high (none when high < low).
struct RowRange {
    std::int32_t low;
    std::int32_t high;
};

// What one run reads and writes.
struct ZoomImages {
    const std::uint8_t* src;
    ZoomLayout from;
    std::uint8_t* dst;
    ZoomLayout to;
    std::uint8_t* clear; // the source, when its fourth bytes are to be cleared; else null
};

// The sizes a zoom is planned for.
struct ZoomSizes {
    std::int32_t srcWidth;
    std::int32_t srcHeight;
    std::int32_t dstWidth;
    std::int32_t dstHeight;
    std::int32_t channels;
};

// Positions per chunk for blocks of `blockCount` channels of `lanes` floats.
std::int32_t ChunkRoom(std::int32_t lanes, std::int32_t blockCount)
{
    const std::int64_t bytesPerPosition = std::int64_t{lanes} * sizeof(float);
    return static_cast<std::int32_t>(
        std::max<std::int64_t>(kChunkBytes / (bytesPerPosition * blockCount), 1));
}

// Source rows per chunk that keep a ring of `channels` slots of `rowLength` bytes per row within
// its bytes.
std::int32_t RingRoom(std::int32_t channels, std::ptrdiff_t rowLength)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(kRingBytes / (std::int64_t{channels} * rowLength), 1,
                                 std::numeric_limits<std::int32_t>::max()));
}

// A plan's geometry, worked out in full before the plan is built from it: the kernels, the taps
// of both axes and how the outputs and the destination's rows are split into chunks.
struct PlanGeometry {
    const KernelSet& kernels;
    KernelTaps horizontal;
    KernelTaps vertical;
    std::ptrdiff_t rowLength; // of the ring's slots: whole cache lines, so whole strips
    std::int32_t strips;
    std::vector<Chunk> chunks;    // of the horizontal pass
    std::vector<Chunk> rowChunks; // of the destination's rows
    std::int32_t ringRows;        // slots per channel in a ring
    std::size_t outPlane;         // bytes of a channel's filter outputs
};

PlanGeometry GeometryFor(const ZoomSizes& sizes, ZoomFilter filter, double support)
{
    const KernelSet& kernels = KernelsFitting(sizes.srcWidth, sizes.srcHeight);
    const std::int32_t lanes = kernels.lanes;
    KernelTaps horizontal(ContributionTable(sizes.srcWidth, sizes.dstWidth, filter, support),
                          lanes);
    KernelTaps vertical(ContributionTable(sizes.srcHeight, sizes.dstHeight, filter, support),
                        lanes);
    const std::ptrdiff_t rowLength = (sizes.dstWidth + kCacheLine - 1) / kCacheLine * kCacheLine;
    std::vector<Chunk> chunks =
        horizontal.Split(0, sizes.dstWidth, ChunkRoom(lanes, sizes.channels), sizes.dstWidth);
    std::vector<Chunk> rowChunks = vertical.Split(
        0, sizes.dstHeight, std::min(ChunkRoom(lanes, 1), RingRoom(sizes.channels, rowLength)),
        kChunkRows);
    const std::int32_t ringRows = std::max(WidestChunk(rowChunks), 1);
    const std::size_t outPlane =
        BlockElementsOrThrow(std::max(sizes.dstWidth, LongestChunk(rowChunks)), lanes);
    return {kernels,
            std::move(horizontal),
            std::move(vertical),
            rowLength,
            (sizes.dstWidth + lanes - 1) / lanes,
            std::move(chunks),
            std::move(rowChunks),
            ringRows,
            outPlane};
}

// The destination's rows are split into chunks, and the chunks into one stretch per thread. A
// thread works through its own stretch in order, then takes what is left of the others'. For
// each chunk it filters horizontally the source rows it needs into its ring (the rows the
// previous chunk left there are kept), then filters every strip of lanes columns vertically
// from the ring. So the scratch memory follows the destination's width and the number of source
// rows that a destination row reads, not the source's height. A source row that only one chunk
// reads has its fourth bytes cleared (when that is asked for) as that chunk filters it; the others
// once every chunk is done, so that no row is written while another thread may read it.
struct PlannedZoom::Plan : PlanGeometry {
    Plan(const ZoomSizes& sizes, PlanGeometry geometry)
        : PlanGeometry(std::move(geometry)), width(sizes.srcWidth), height(sizes.srcHeight),
          outWidth(sizes.dstWidth), channels(sizes.channels)
    {
        FindOwnRows();
        const int count = WorkerCount();
        for (int w = 0; w < count; ++w)
            AddWorker();
        stretches = std::vector<Stretch>(workers.size());
    }

    // For each chunk, the source rows that no other chunk reads; and how many rows the chunks
    // read, to weigh the work.
    void FindOwnRows()
    {
        constexpr std::int32_t kNone = std::numeric_limits<std::int32_t>::max();
        const std::size_t count = rowChunks.size();
        std::vector<std::int32_t> lowAfter(count + 1, kNone);
        for (std::size_t k = count; k-- > 0;)
            lowAfter[k] =
                std::min(lowAfter[k + 1], rowChunks[k].Positions() > 0 ? rowChunks[k].low : kNone);
        std::int32_t highBefore = -1;
        for (std::size_t k = 0; k < count; ++k) {
            const Chunk& chunk = rowChunks[k];
            if (chunk.Positions() <= 0) {
                ownRows.push_back({0, -1});
                continue;
            }
            const std::int32_t fresh = std::max(chunk.low, highBefore + 1);
            ownRows.push_back({fresh, std::min(chunk.high, lowAfter[k + 1] - 1)});
            rowsRead += std::max(chunk.high - fresh + 1, 0);
            highBefore = std::max(highBefore, chunk.high);
        }
    }

    // Sample products to compute, loads included, against the threading settings.
    int WorkerCount() const
    {
        const std::int64_t work =
            channels * (rowsRead * horizontal.Count() + outWidth * vertical.Count() +
                        std::int64_t{width} * rowsRead);
        const std::int64_t minWork = std::max<std::int64_t>(g_MinWorkPerThread, 1);
        return static_cast<int>(
            std::min<std::int64_t>(g_MaxThreads.load(), std::max<std::int64_t>(work / minWork, 1)));
    }

    void AddWorker()
    {
        const std::int32_t lanes = kernels.lanes;
        const std::size_t positions = std::max(WidestChunk(chunks), WidestChunk(rowChunks));
        const std::size_t ringBytes =
            BlockElementsOrThrow(BlockElementsOrThrow(channels, ringRows), rowLength);
        // A block of rows that wraps round the ring is stored from a lane onwards, which reads
        // up to a lane's worth of bytes past the last output.
        ZoomWorker worker{
            {},
            {},
            std::vector<std::uint8_t>(BlockElementsOrThrow(channels, outPlane) + lanes),
            std::vector<const std::uint8_t*>(lanes),
            AlignedBuffer<std::uint8_t>(ringBytes)};
        for (std::int32_t c = 0; c < channels; ++c) {
            worker.blocks.emplace_back(BlockElementsOrThrow(positions, lanes));
            worker.blockData.push_back(worker.blocks.back().Data());
        }
        // Strips read whole lanes: the padding of the slots must hold bytes too.
        for (std::size_t slot = 0; slot < ringBytes; slot += rowLength)
            std::memset(worker.ring.Data() + slot + outWidth, 0, rowLength - outWidth);
        workers.push_back(std::move(worker));
    }

    void Run(const ZoomImages& images)
    {
        const auto count = static_cast<std::int32_t>(rowChunks.size());
        const auto stretchCount = static_cast<std::int32_t>(stretches.size());
        for (std::int32_t s = 0; s < stretchCount; ++s) {
            stretches[s].next = static_cast<std::int32_t>(std::int64_t{count} * s / stretchCount);
            stretches[s].end =
                static_cast<std::int32_t>(std::int64_t{count} * (s + 1) / stretchCount);
        }
        for (ZoomWorker& worker : workers)
            worker.ringHigh = worker.ringLow - 1;
        struct Job {
            Plan& plan;
            const ZoomImages& images;
        } job{*this, images};
        const auto work = [](void* context, int worker) {
            const Job& j = *static_cast<Job*>(context);
            j.plan.Work(worker, j.images);
        };
        WorkerPool::Instance().Run(stretchCount, work, &job);
        if (images.clear != nullptr)
            ClearRest(images);
    }

    // Worker w's own stretch, then what the others have left, stretch after stretch.
    void Work(int w, const ZoomImages& images)
    {
        ZoomWorker& worker = workers[w];
        const auto count = static_cast<int>(stretches.size());
        for (int s = 0; s < count; ++s) {
            Stretch& stretch = stretches[(w + s) % count];
            for (std::int32_t k = stretch.next++; k < stretch.end; k = stretch.next++)
                RunChunk(k, worker, images);
        }
    }

    void RunChunk(std::int32_t k, ZoomWorker& worker, const ZoomImages& images) const
    {
        const Chunk& chunk = rowChunks[k];
        if (chunk.Positions() > 0)
            FillRing(worker, chunk, ownRows[k], images);
        for (std::int32_t strip = 0; strip < strips; ++strip)
            Vertical(chunk, strip, worker, images);
    }

    // Makes the ring hold the chunk's source rows, filtering those it lacks.
    void FillRing(ZoomWorker& worker, const Chunk& chunk, RowRange own,
                  const ZoomImages& images) const
    {
        if (chunk.low < worker.ringLow || chunk.low > worker.ringHigh + 1) {
            worker.ringLow = chunk.low;
            worker.ringHigh = chunk.low - 1;
        }
        if (chunk.high <= worker.ringHigh)
            return;
        Horizontal(worker, {worker.ringHigh + 1, chunk.high}, own, images);
        worker.ringHigh = chunk.high;
        worker.ringLow = std::max(worker.ringLow, chunk.high - ringRows + 1);
    }

    // Source rows into their slots, lanes rows at a time; a last block short of rows repeats its
    // last row, and the repeats are not stored. While a chunk of a block is filtered, the same
    // stretch of the next block's rows is fetched.
    void Horizontal(ZoomWorker& worker, RowRange rows, RowRange own, const ZoomImages& images) const
    {
        const std::int32_t lanes = kernels.lanes;
        const ZoomLayout from = images.from;
        for (std::int32_t r = rows.low; r <= rows.high; r += lanes) {
            const std::int32_t count = std::min(lanes, rows.high - r + 1);
            const std::int32_t nextCount = std::min(lanes, rows.high - r - lanes + 1);
            const std::uint8_t* const first = images.src + r * from.rowStride;
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
                                   worker.out.data() + c * outPlane +
                                       chunk.begin * static_cast<std::ptrdiff_t>(lanes));
            }
            for (std::int32_t c = 0; c < channels; ++c)
                StoreRing(worker, c, worker.out.data() + c * outPlane, r, count);
            // Cleared while the rows are still in cache.
            if (images.clear != nullptr)
                ClearRows(std::max(r, own.low), std::min(r + count, own.high + 1), images);
        }
    }

    // Lanes 0 to count - 1 of the filter outputs, the rows from r on, into their slots; the rows
    // past the ring's last slot go on at its first.
    void StoreRing(const ZoomWorker& worker, std::int32_t c, const std::uint8_t* out,
                   std::int32_t r, std::int32_t count) const
    {
        const std::int32_t slot = r % ringRows;
        const std::int32_t before = std::min(count, ringRows - slot);
        kernels.storeRows(out, before, outWidth, Slot(worker, c, slot), rowLength);
        if (before < count)
            kernels.storeRows(out + before, count - before, outWidth, Slot(worker, c, 0),
                              rowLength);
    }

    // Positions rows of one strip from the ring, from row `low` on, into the first block.
    void LoadRing(const ZoomWorker& worker, std::int32_t c, std::ptrdiff_t column, std::int32_t low,
                  std::int32_t positions) const
    {
        const std::int32_t slot = low % ringRows;
        const std::int32_t before = std::min(positions, ringRows - slot);
        kernels.loadAcross(worker.blockData[0], Slot(worker, c, slot) + column, rowLength, before);
        if (before < positions)
            kernels.loadAcross(worker.blockData[0] +
                                   before * static_cast<std::ptrdiff_t>(kernels.lanes),
                               Slot(worker, c, 0) + column, rowLength, positions - before);
    }

    // Rows that are no chunk's own: read by no chunk, or by several.
    void ClearRest(const ZoomImages& images) const
    {
        std::int32_t next = 0;
        for (const RowRange& own : ownRows) {
            if (own.high < own.low)
                continue;
            ClearRows(next, own.low, images);
            next = own.high + 1;
        }
        ClearRows(next, height, images);
    }

    void ClearRows(std::int32_t begin, std::int32_t end, const ZoomImages& images) const
    {
        for (std::int32_t row = begin; row < end; ++row)
            kernels.clearFourthBytes(images.clear + row * images.from.rowStride, width);
    }

    // One strip of lanes columns of the ring, every channel, for one chunk of destination rows.
    // Slots are padded to whole strips.
    void Vertical(const Chunk& chunk, std::int32_t strip, ZoomWorker& worker,
                  const ZoomImages& images) const
    {
        const std::int32_t k = strip * kernels.lanes;
        for (std::int32_t c = 0; c < channels; ++c) {
            if (chunk.Positions() > 0)
                LoadRing(worker, c, k, chunk.low, chunk.Positions());
            kernels.filter(vertical.View(), chunk.begin, chunk.end, worker.blockData[0],
                           worker.out.data() + c * outPlane);
        }
        WriteStrip(
            worker.out.data(), chunk.end - chunk.begin, std::min(kernels.lanes, outWidth - k),
            images.dst + chunk.begin * images.to.rowStride + k * images.to.pixelStep, images.to);
    }

    std::uint8_t* Slot(const ZoomWorker& worker, std::int32_t c, std::int32_t slot) const
    {
        return worker.ring.Data() + (static_cast<std::ptrdiff_t>(c) * ringRows + slot) * rowLength;
    }

    // Filter outputs of a strip, channel c of row j and lane l at out[c x outPlane + j x lanes +
    // l], into `count` pixels of each destination row.
    void WriteStrip(const std::uint8_t* out, std::int32_t rows, std::int32_t count,
                    std::uint8_t* dst, ZoomLayout to) const
    {
        const std::int32_t lanes = kernels.lanes;
        if (channels == 3 && to.pixelStep == 4) {
            kernels.storePixels(out, static_cast<std::ptrdiff_t>(outPlane), rows, count, dst,
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
                        dst[l * to.pixelStep + c] = samples[c * outPlane + l];
                }
            }
        }
    }

    std::int32_t width; // of the source
    std::int32_t height;
    std::int32_t outWidth;
    std::int32_t channels;
    std::vector<RowRange> ownRows; // per chunk
    std::int64_t rowsRead = 0;     // source rows that some chunk reads
    std::vector<ZoomWorker> workers;
    std::vector<Stretch> stretches; // one per worker
};

PlannedZoom::PlannedZoom(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
                         std::int32_t dstHeight, std::int32_t channels, ZoomFilter filter,
                         double support)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || channels <= 0 ||
        filter == nullptr)
        throw std::bad_alloc();
    const ZoomSizes sizes{srcWidth, srcHeight, dstWidth, dstHeight, channels};
    m_Plan = std::make_unique<Plan>(sizes, GeometryFor(sizes, filter, support));
}

PlannedZoom::~PlannedZoom() = default;

void PlannedZoom::Run(const std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
                      ZoomLayout dstLayout) noexcept
{
    if (src != nullptr && dst != nullptr)
        m_Plan->Run({src, srcLayout, dst, dstLayout, nullptr});
}

void PlannedZoom::RunClearingFourthBytes(std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
                                         ZoomLayout dstLayout) noexcept
{
    if (src != nullptr && dst != nullptr)
        m_Plan->Run({src, srcLayout, dst, dstLayout, src});
}
