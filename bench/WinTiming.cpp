// The rescale cases of the zoom benchmarks, timed without Google Benchmark (Debian has it for the
// host only) so that the Windows builds can be timed under Wine: each variant's result is checked
// against the reference once, then the median of repeated runs is reported, with the same ratios
// as the host benchmarks. Usage: zoom_timing [repetitions]
#include "ZoomBenchCases.h"
#include "picture/PictureTrace.h"
#include "picture/ZoomEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MedianMilliseconds(int repetitions, const std::function<void()>& run)
{
    run(); // the first run pays for helper threads and cold memory
    std::vector<double> times;
    for (int k = 0; k < repetitions; ++k) {
        const Clock::time_point start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Variant {
    const char* suffix;
    ZoomCpuPath path;
    int maxThreads; // 0: the default
};

const Variant kVariants[] = {
    {"", ZoomCpuPath::Automatic, 0},
    {"_1thread", ZoomCpuPath::Automatic, 1},
    {"_sse2", ZoomCpuPath::Sse2, 0},
    {"_portable", ZoomCpuPath::Portable, 0},
};

// Times the engine on one variant; a negative time when it cannot run or gives other bytes.
double TimeEngine(const ZoomBenchCase& c, const RescaleResult& reference, const Variant& variant,
                  int repetitions)
{
    if (!SetZoomCpuPath(variant.path))
        return -1;
    const ZoomThreading defaults = DefaultZoomThreading();
    SetZoomThreading({variant.maxThreads > 0 ? variant.maxThreads : defaults.maxThreads,
                      defaults.minWorkPerThread});
    double time = -1;
    if (MatchesReference(c, reference)) {
        CTga picture;
        CTga scaled;
        MakeBenchPictures(c, picture, scaled);
        time = MedianMilliseconds(repetitions, [&] { picture.RescaleInto(scaled); });
    }
    SetZoomCpuPath(ZoomCpuPath::Automatic);
    SetZoomThreading(defaults);
    return time;
}

double TimeReference(const ZoomBenchCase& c, int repetitions)
{
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    return MedianMilliseconds(repetitions, [&] { ReferenceRescale(picture, scaled); });
}

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    SetPictureTraceFile(""); // both sides would append the same records
    std::printf("%-48s %12s   (median of %d runs)\n", "Benchmark", "Time", repetitions);
    std::map<std::string, double> times;
    bool allSame = true;
    for (const ZoomBenchCase& c : ZoomBenchCases()) {
        const RescaleResult reference = ReferenceResult(c);
        for (const Variant& variant : kVariants) {
            const std::string name = c.Name() + variant.suffix;
            const double time = TimeEngine(c, reference, variant, repetitions);
            if (time < 0) {
                allSame = allSame && !ZoomCpuPathAvailable(variant.path);
                std::printf("%-48s %12s\n", name.c_str(), "skipped");
                continue;
            }
            times[name] = time;
            std::printf("%-48s %9.3f ms\n", name.c_str(), time);
        }
        const std::string name = c.Name() + "_reference";
        times[name] = TimeReference(c, repetitions);
        std::printf("%-48s %9.3f ms\n", name.c_str(), times[name]);
    }
    std::printf("\nTime relative to the peer (below 1: ours is faster)\n");
    for (const ZoomBenchCase& c : ZoomBenchCases()) {
        const std::string name = c.Name();
        if (times.count(name) != 0)
            std::printf("  %-32s ours / %-9s = %.3f\n", name.c_str(), "reference",
                        times[name] / times[name + "_reference"]);
    }
    return allSame ? 0 : 1;
}
