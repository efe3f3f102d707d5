// Rescaling pictures as the menus do, timed against the plain reference (the same results, which
// are checked once before timing) and against stb_image_resize (another filter, compared for
// speed only). Twins on single paths show what the vector width and the second thread bring. Each
// rescale of ours and the reference's also reports the memory it takes at its peak.
#include "PeakMemory.h"
#include "RescaleReference.h"
#include "ZoomBenchCases.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/ZoomEngine.h"

#include <benchmark/benchmark.h>
#include <stb/stb_image_resize.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Runs the engine on one instruction set and threading for as long as it lives.
class EngineSetting {
public:
    EngineSetting(InstructionSet level, int maxThreads) : m_Usable(SetInstructionSet(level))
    {
        SetZoomThreading({maxThreads, DefaultZoomThreading().minWorkPerThread});
    }
    EngineSetting(const EngineSetting&) = delete;
    EngineSetting& operator=(const EngineSetting&) = delete;
    ~EngineSetting()
    {
        SetInstructionSet(ProcessorInstructionSet());
        SetZoomThreading(DefaultZoomThreading());
    }
    bool Usable() const { return m_Usable; }

private:
    bool m_Usable;
};

// A second run of the rescale, untimed, for the memory it takes beyond the two pictures (the
// first brings the destination's pages in).
void ReportPeakMemory(benchmark::State& state, const std::function<void()>& rescale)
{
    rescale();
    const std::int64_t bytes = PeakMemoryOf(rescale);
    if (bytes >= 0)
        state.counters["peak_MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void RescaleOurs(benchmark::State& state, ZoomBenchCase c, const RescaleResult* reference,
                 InstructionSet level, int maxThreads)
{
    const EngineSetting setting(level, maxThreads);
    if (!setting.Usable()) {
        state.SkipWithError("this processor lacks the instruction set");
        return;
    }
    if (!MatchesReference(c, *reference)) {
        state.SkipWithError("the result differs from the reference's");
        return;
    }
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    ReportPeakMemory(state, [&] { picture.RescaleInto(scaled); });
    for (auto _ : state) {
        picture.RescaleInto(scaled);
        benchmark::DoNotOptimize(scaled.Bits());
    }
}

void RescaleReference(benchmark::State& state, ZoomBenchCase c)
{
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    ReportPeakMemory(state, [&] { reference::Rescale(picture, scaled); });
    for (auto _ : state) {
        reference::Rescale(picture, scaled);
        benchmark::DoNotOptimize(scaled.Bits());
    }
}

// stb's default filters (Mitchell to reduce, Catmull-Rom to enlarge) over the picture's 4-byte
// pixels, into a new buffer each time as a rescale makes a new picture.
void RescaleStb(benchmark::State& state, ZoomBenchCase c)
{
    CTga picture;
    CTga scaled;
    MakeBenchPictures(c, picture, scaled);
    const size_t bytes = size_t(c.outWidth) * size_t(c.outHeight) * 4;
    for (auto _ : state) {
        const std::unique_ptr<unsigned char[]> out(new unsigned char[bytes]);
        if (!stbir_resize_uint8(picture.Bits(), c.width, c.height, 0, out.get(), c.outWidth,
                                c.outHeight, 0, 4))
            state.SkipWithError("stbir_resize_uint8 failed");
        benchmark::DoNotOptimize(out.get());
    }
}

void Register(const ZoomBenchCase& c, const RescaleResult* reference)
{
    const std::string name = c.Name();
    const auto add = [](const std::string& benchmarkName, auto&& function, auto&&... arguments) {
        // The reported time is real time either way (helper threads work beside the timed one).
        benchmark::RegisterBenchmark(benchmarkName.c_str(), function, arguments...)
            ->Unit(benchmark::kMillisecond);
    };
    const int threads = DefaultZoomThreading().maxThreads;
    const InstructionSet widest = ProcessorInstructionSet();
    add(name, RescaleOurs, c, reference, widest, threads);
    add(name + "_reference", RescaleReference, c);
    add(name + "_stb", RescaleStb, c);
    add(name + "_1thread", RescaleOurs, c, reference, widest, 1);
    add(name + "_sse2", RescaleOurs, c, reference, InstructionSet::Sse2, threads);
    add(name + "_portable", RescaleOurs, c, reference, InstructionSet::Portable, threads);
}

} // namespace

int main(int argc, char** argv)
{
    SetPictureTraceFile(""); // both sides would append the same records
    // Every benchmark of the engine first checks its result against these.
    static std::vector<RescaleResult> references;
    for (const ZoomBenchCase& c : ZoomBenchCases())
        references.push_back(ReferenceResult(c));
    for (size_t k = 0; k < references.size(); ++k)
        Register(ZoomBenchCases()[k], &references[k]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
