// The filtered zoom as it runs: tap tables in the kernels' form, the choice of kernels, and bands
// of destination rows shared out to helper threads. Each band filters the source rows it needs
// horizontally, lines_per_block rows at a time, into its own intermediate rows of bytes, then
// filters strips of intermediate columns vertically into its destination rows.
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

#if defined(_MSC_VER) && defined(LUMBREL_ZOOM_X86)
#include <intrin.h>
#endif

namespace {

using zoom_kernels::KernelSet;

bool ProcessorHasAvx2()
{
#if defined(LUMBREL_ZOOM_X86) && defined(__GNUC__)
    __builtin_cpu_init();
    // Also false when the system does not save the wide registers.
    return __builtin_cpu_supports("avx2") != 0;
#elif defined(LUMBREL_ZOOM_X86) && defined(_MSC_VER)
    int info[4];
    __cpuid(info, 0);
    if (info[0] < 7)
        return false;
    __cpuid(info, 1);
    const bool osSavesYmm =
        (info[2] & (1 << 27)) != 0 && (info[2] & (1 << 28)) != 0 && (_xgetbv(0) & 6) == 6;
    __cpuidex(info, 7, 0);
    return osSavesYmm && (info[1] & (1 << 5)) != 0;
#else
    return false;
#endif
}

std::atomic<ZoomCpuPath> g_CpuPath{ZoomCpuPath::Automatic};
std::atomic<int> g_MaxThreads{DefaultZoomThreading().maxThreads};
std::atomic<std::int64_t> g_MinWorkPerThread{DefaultZoomThreading().minWorkPerThread};

ZoomCpuPath Resolve(ZoomCpuPath path)
{
    if (path != ZoomCpuPath::Automatic)
        return path;
#ifdef LUMBREL_ZOOM_X86
    static const bool avx2 = ProcessorHasAvx2();
    return avx2 ? ZoomCpuPath::Avx2 : ZoomCpuPath::Sse2;
#else
    return ZoomCpuPath::Portable;
#endif
}

const KernelSet& KernelsFor(ZoomCpuPath path)
{
    switch (path) {
#ifdef LUMBREL_ZOOM_X86
    case ZoomCpuPath::Avx2:
        return zoom_kernels::Avx2Kernels();
    case ZoomCpuPath::Sse2:
        return zoom_kernels::Sse2Kernels();
#endif
    default:
        return zoom_kernels::PortableKernels();
    }
}

// Threads that take bands of a zoom. Starting a thread costs tens of microseconds natively but
// over a millisecond under Wine, so helpers are started when a zoom first wants them and then
// wait for the next one. Zooms on several threads at once do not wait for each other: one that
// finds the helpers busy runs its bands itself.
class Helpers {
public:
    using Work = void (*)(void* context, int band);

    static Helpers& Instance()
    {
        // Never destroyed: the helpers wait for work until the process ends.
        static Helpers* const helpers = new Helpers;
        return *helpers;
    }

    // Runs work for bands 0 to bands - 1, some on this thread; returns when all are done.
    void Run(int bands, Work work, void* context) noexcept
    {
        const std::unique_lock<std::mutex> use(m_Use, std::try_to_lock);
        if (!use.owns_lock() || Start(bands - 1) == 0) {
            for (int band = 0; band < bands; ++band)
                work(context, band);
            return;
        }
        std::unique_lock<std::mutex> lock(m_Mutex);
        m_Work = work;
        m_Context = context;
        m_Bands = bands;
        m_Next = 0;
        m_Done = 0;
        m_Wake.notify_all();
        TakeBands(lock);
        m_Finished.wait(lock, [this] { return m_Done == m_Bands; });
        m_Bands = 0;
        m_Next = 0;
    }

private:
    Helpers() = default;

    // Starts helpers until there are `wanted`; returns how many there are, up to that number.
    int Start(int wanted) noexcept
    {
        try {
            while (static_cast<int>(m_Threads.size()) < wanted)
                m_Threads.emplace_back([this] { Serve(); });
        } catch (...) {
            // No more threads to be had: the ones there are will do.
        }
        return std::min(static_cast<int>(m_Threads.size()), wanted);
    }

    void TakeBands(std::unique_lock<std::mutex>& lock)
    {
        while (m_Next < m_Bands) {
            const int band = m_Next++;
            const Work work = m_Work;
            void* const context = m_Context;
            lock.unlock();
            work(context, band);
            lock.lock();
            if (++m_Done == m_Bands)
                m_Finished.notify_all();
        }
    }

    void Serve()
    {
        std::unique_lock<std::mutex> lock(m_Mutex);
        for (;;) {
            m_Wake.wait(lock, [this] { return m_Next < m_Bands; });
            TakeBands(lock);
        }
    }

    std::mutex m_Use; // held by the zoom whose bands the helpers take
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    std::condition_variable m_Finished;
    std::vector<std::thread> m_Threads;
    Work m_Work = nullptr;
    void* m_Context = nullptr;
    int m_Bands = 0; // of the zoom under way; 0 between zooms
    int m_Next = 0;  // the next band nobody has taken
    int m_Done = 0;
};

// The taps of one axis without those of weight 0, offsets scaled to a block's lanes.
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

    // The lowest and highest source position read by outputs begin to end - 1; {0, -1} when
    // they read none.
    std::pair<std::int32_t, std::int32_t> Reach(std::int32_t begin, std::int32_t end) const
    {
        const auto first = m_Offset.begin() + m_First[begin];
        const auto last = m_Offset.begin() + m_First[end];
        if (first == last)
            return {0, -1};
        const auto [low, high] = std::minmax_element(first, last);
        return {*low / m_Lanes, *high / m_Lanes};
    }

private:
    std::int32_t m_Lanes;
    std::vector<std::int32_t> m_First;
    std::vector<std::int32_t> m_Offset;
    std::vector<double> m_Weight;
};

// Doubles on a 64-byte boundary, so that no vector load of a block straddles two cache lines.
class BlockBuffer {
public:
    explicit BlockBuffer(std::size_t count) : m_Storage(new double[count + kSlack])
    {
        void* start = m_Storage.get();
        std::size_t space = (count + kSlack) * sizeof(double);
        m_Data = static_cast<double*>(std::align(64, count * sizeof(double), start, space));
    }

    double* Data() const { return m_Data; }

private:
    static constexpr std::size_t kSlack = 64 / sizeof(double);
    std::unique_ptr<double[]> m_Storage;
    double* m_Data;
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

// Outputs i x lanes + l of a block filter go to line l, position i: lines in the horizontal
// pass are rows of the intermediate image.
void StoreRows(const std::uint8_t* out, std::int32_t lanes, std::int32_t rows,
               std::int32_t length, std::uint8_t* first, std::ptrdiff_t stride)
{
    for (std::int32_t l = 0; l < rows; ++l) {
        std::uint8_t* row = first + l * stride;
        for (std::int32_t i = 0; i < length; ++i)
            row[i] = out[i * lanes + l];
    }
}

} // namespace

bool ZoomCpuPathAvailable(ZoomCpuPath path)
{
    switch (path) {
    case ZoomCpuPath::Automatic:
    case ZoomCpuPath::Portable:
        return true;
#ifdef LUMBREL_ZOOM_X86
    case ZoomCpuPath::Sse2:
        return true;
    case ZoomCpuPath::Avx2:
        return ProcessorHasAvx2();
#endif
    default:
        return false;
    }
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
    // Below about a million products a band is over before a helper is under way.
    constexpr std::int64_t kMinWorkPerThread = 1'000'000;
    const unsigned processors = std::thread::hardware_concurrency();
    return {static_cast<int>(std::clamp(processors, 1U, 4U)), kMinWorkPerThread};
}

void SetZoomThreading(const ZoomThreading& threading)
{
    g_MaxThreads = std::max(threading.maxThreads, 1);
    g_MinWorkPerThread = std::max<std::int64_t>(threading.minWorkPerThread, 0);
}

// One band of destination rows with everything it writes to.
struct ZoomBand {
    std::int32_t firstRow; // destination rows firstRow to endRow - 1
    std::int32_t endRow;
    std::int32_t firstSource; // source rows read, or firstSource > lastSource for none
    std::int32_t lastSource;
    std::vector<std::uint8_t> intermediate; // per channel, the band's source rows
    BlockBuffer block;
    std::vector<std::uint8_t> out;
    std::vector<const std::uint8_t*> lines;
};

struct PlannedZoom::Plan {
    Plan(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
         std::int32_t dstHeight, std::int32_t channelCount, ZoomFilter filter, double support)
        : kernels(KernelsFitting(srcWidth, srcHeight)), width(srcWidth), height(srcHeight),
          outWidth(dstWidth), channels(channelCount),
          horizontal(ContributionTable(srcWidth, dstWidth, filter, support), kernels.lanes),
          vertical(ContributionTable(srcHeight, dstHeight, filter, support), kernels.lanes),
          rowLength((dstWidth + kernels.lanes - 1) / kernels.lanes *
                    static_cast<std::ptrdiff_t>(kernels.lanes))
    {
        const int count = BandCount(dstHeight);
        bands.reserve(count);
        for (int b = 0; b < count; ++b)
            AddBand(static_cast<std::int32_t>(std::int64_t{dstHeight} * b / count),
                    static_cast<std::int32_t>(std::int64_t{dstHeight} * (b + 1) / count));
    }

    // Sample products to compute, loads included, against the threading settings.
    int BandCount(std::int32_t dstHeight) const
    {
        const std::int64_t work = channels * (height * horizontal.Count() +
                                              outWidth * vertical.Count() +
                                              std::int64_t{width} * height);
        const std::int64_t minWork = std::max<std::int64_t>(g_MinWorkPerThread, 1);
        return static_cast<int>(std::min<std::int64_t>(
            {g_MaxThreads.load(), dstHeight, std::max<std::int64_t>(work / minWork, 1)}));
    }

    void AddBand(std::int32_t firstRow, std::int32_t endRow)
    {
        const auto [firstSource, lastSource] = vertical.Reach(firstRow, endRow);
        const std::int32_t sourceRows = lastSource - firstSource + 1;
        const std::int32_t lanes = kernels.lanes;
        bands.push_back({firstRow, endRow, firstSource, lastSource,
                         std::vector<std::uint8_t>(Product(Product(channels, sourceRows), rowLength)),
                         BlockBuffer(Product(std::max(width, height), lanes)),
                         std::vector<std::uint8_t>(Product(
                             std::max<std::int64_t>(outWidth, Product(channels, endRow - firstRow)),
                             lanes)),
                         std::vector<const std::uint8_t*>(lanes)});
    }

    void RunBand(ZoomBand& band, const std::uint8_t* src, ZoomLayout from, std::uint8_t* dst,
                 ZoomLayout to) const
    {
        for (std::int32_t c = 0; c < channels; ++c)
            Horizontal(band, c, src + c, from);
        for (std::int32_t k = 0; k < outWidth; k += kernels.lanes)
            Vertical(band, k, dst + band.firstRow * to.rowStride + k * to.pixelStep, to);
    }

    // Source rows of one channel, a block of lanes at a time; a last block short of rows repeats
    // its last row, and the repeats are not stored.
    void Horizontal(ZoomBand& band, std::int32_t c, const std::uint8_t* src,
                    ZoomLayout from) const
    {
        const std::int32_t lanes = kernels.lanes;
        const std::int32_t rows = band.lastSource - band.firstSource + 1;
        for (std::int32_t r = 0; r < rows; r += lanes) {
            const std::int32_t count = std::min(lanes, rows - r);
            for (std::int32_t l = 0; l < lanes; ++l)
                band.lines[l] =
                    src + (band.firstSource + r + std::min(l, count - 1)) * from.rowStride;
            kernels.loadLines(band.block.Data(), band.lines.data(), from.pixelStep, width);
            kernels.filter(horizontal.View(), 0, outWidth, band.block.Data(), band.out.data());
            StoreRows(band.out.data(), lanes, count, outWidth,
                      IntermediateRow(band, c, r), rowLength);
        }
    }

    // One strip of lanes intermediate columns, every channel, into the band's destination rows.
    // Intermediate rows are padded to whole strips, so a last strip reads initialised bytes.
    void Vertical(ZoomBand& band, std::int32_t k, std::uint8_t* dst, ZoomLayout to) const
    {
        const std::int32_t lanes = kernels.lanes;
        const std::int32_t rows = band.endRow - band.firstRow;
        const std::int32_t sourceRows = band.lastSource - band.firstSource + 1;
        for (std::int32_t c = 0; c < channels; ++c) {
            double* const block = band.block.Data() + band.firstSource * lanes;
            kernels.loadAcross(block, IntermediateRow(band, c, 0) + k, rowLength, sourceRows);
            kernels.filter(vertical.View(), band.firstRow, band.endRow, band.block.Data(),
                           band.out.data() + c * rows * lanes);
        }
        WriteStrip(band.out.data(), rows, std::min(lanes, outWidth - k), dst, to);
    }

    std::uint8_t* IntermediateRow(ZoomBand& band, std::int32_t c, std::int32_t r) const
    {
        const std::ptrdiff_t sourceRows = band.lastSource - band.firstSource + 1;
        return band.intermediate.data() + (c * sourceRows + r) * rowLength;
    }

    // Filtered strip outputs, channel-major (channel c, row j, lane l at (c x rows + j) x lanes +
    // l), into `count` pixels of each destination row.
    void WriteStrip(const std::uint8_t* out, std::int32_t rows, std::int32_t count,
                    std::uint8_t* dst, ZoomLayout to) const
    {
        const std::int32_t lanes = kernels.lanes;
        const std::ptrdiff_t plane = static_cast<std::ptrdiff_t>(rows) * lanes;
        for (std::int32_t j = 0; j < rows; ++j, dst += to.rowStride) {
            const std::uint8_t* samples = out + j * lanes;
            if (channels == 1 && to.pixelStep == 1) {
                std::memcpy(dst, samples, count);
            } else if (channels == 3 && to.pixelStep == 4) {
                for (std::int32_t l = 0; l < count; ++l) {
                    const std::uint8_t pixel[4] = {samples[l], samples[plane + l],
                                                   samples[2 * plane + l], 0};
                    std::memcpy(dst + 4 * l, pixel, 4);
                }
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
    std::ptrdiff_t rowLength; // of the intermediate rows: whole strips of lanes
    std::vector<ZoomBand> bands;
};

PlannedZoom::PlannedZoom(std::int32_t srcWidth, std::int32_t srcHeight, std::int32_t dstWidth,
                         std::int32_t dstHeight, std::int32_t channels, ZoomFilter filter,
                         double support)
{
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || channels <= 0 ||
        filter == nullptr)
        throw std::bad_alloc();
    m_Plan = std::make_unique<Plan>(srcWidth, srcHeight, dstWidth, dstHeight, channels, filter,
                                    support);
}

PlannedZoom::~PlannedZoom() = default;

void PlannedZoom::Run(const std::uint8_t* src, ZoomLayout srcLayout, std::uint8_t* dst,
                      ZoomLayout dstLayout) noexcept
{
    if (src == nullptr || dst == nullptr)
        return;
    struct Job {
        Plan& plan;
        const std::uint8_t* src;
        ZoomLayout from;
        std::uint8_t* dst;
        ZoomLayout to;
    } job{*m_Plan, src, srcLayout, dst, dstLayout};
    const auto runBand = [](void* context, int band) {
        Job& j = *static_cast<Job*>(context);
        j.plan.RunBand(j.plan.bands[band], j.src, j.from, j.dst, j.to);
    };
    const int bands = static_cast<int>(m_Plan->bands.size());
    if (bands == 1)
        runBand(&job, 0);
    else
        Helpers::Instance().Run(bands, runBand, &job);
}
