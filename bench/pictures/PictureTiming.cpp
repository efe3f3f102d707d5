// The decoding and rescale cases of the picture benchmarks, timed without Google Benchmark
// (Debian has it for the host only) so that the Windows builds can be timed under Wine. Each
// variant's result is checked against the reference once; then the variants run in turn, round
// after round, so that a busy machine slows all of them alike, and the median of each is printed
// as "name time ms" (tools/bench-ratios.py compares them). Usage: picture_timing [rounds]
#include "DecodeBenchCases.h"
#include "RescaleReference.h"
#include "ZoomBenchCases.h"
#include "base/ReportSink.h"
#include "picture/PictureTrace.h"
#include "picture/ProcessorFeatures.h"
#include "picture/TgaDecoder.h"
#include "picture/ZoomEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Variant {
    std::string name;
    std::function<void()> run;
    std::vector<double> times; // milliseconds

    double Median()
    {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
};

// One setting of the engine: an instruction set and at most so many threads (0: the default).
struct Setting {
    const char* suffix;
    InstructionSet level;
    int maxThreads;
};

const Setting kSettings[] = {
    {"", ProcessorInstructionSet(), 0},
    {"_1thread", ProcessorInstructionSet(), 1},
    {"_sse2", InstructionSet::Sse2, 0},
    {"_portable", InstructionSet::Portable, 0},
};

void Apply(const Setting& setting)
{
    const ZoomThreading defaults = DefaultZoomThreading();
    SetInstructionSet(setting.level);
    SetZoomThreading({setting.maxThreads > 0 ? setting.maxThreads : defaults.maxThreads,
                      defaults.minWorkPerThread});
}

// The pictures a case works on, kept for all its rounds: one pair that every setting of ours
// rescales again and again (as it keeps both pictures' storage), and one for the reference,
// which makes new pictures each time.
struct Pictures {
    CTga source;
    CTga destination;
    CTga referenceSource;
    CTga referenceDestination;
};

std::vector<Variant> ZoomVariants(const ZoomBenchCase& c, const RescaleResult& reference,
                                  Pictures& p, bool& allSame)
{
    std::vector<Variant> variants;
    MakeBenchPictures(c, p.source, p.destination);
    MakeBenchPictures(c, p.referenceSource, p.referenceDestination);
    for (const Setting& setting : kSettings) {
        if (setting.level > ProcessorInstructionSet()) {
            std::printf("%-48s %12s\n", (c.Name() + setting.suffix).c_str(), "skipped");
            continue;
        }
        Apply(setting);
        allSame = MatchesReference(c, reference) && allSame;
        variants.push_back({c.Name() + setting.suffix,
                            [&setting, &p] {
                                Apply(setting);
                                p.source.RescaleInto(p.destination);
                            },
                            {}});
    }
    Apply(kSettings[0]);
    variants.push_back({c.Name() + "_reference",
                        [&p] { reference::Rescale(p.referenceSource, p.referenceDestination); },
                        {}});
    return variants;
}

// Our decoder on each path the processor has, each into a warm buffer of its own, then the
// reference.
std::vector<Variant> DecodeVariants(const DecodeBenchCase& c,
                                    std::deque<std::vector<std::uint8_t>>& buffers, bool& allSame)
{
    struct DecodeSetting {
        const char* suffix;
        InstructionSet level;
    };
    static const DecodeSetting kDecodeSettings[] = {
        {"", ProcessorInstructionSet()},
        {"_sse2", InstructionSet::Sse2},
        {"_portable", InstructionSet::Portable},
    };
    std::vector<Variant> variants;
    for (const DecodeSetting& setting : kDecodeSettings) {
        if (!SetInstructionSet(setting.level)) {
            std::printf("%-48s %12s\n", (c.name + setting.suffix).c_str(), "skipped");
            continue;
        }
        allSame = DecodeMatchesReference(c) && allSame;
        std::vector<std::uint8_t>& pixels = buffers.emplace_back(WarmPixelBuffer(c));
        variants.push_back({c.name + setting.suffix,
                            [&setting, &c, &pixels] {
                                SetInstructionSet(setting.level);
                                DecodeOurs(c, pixels);
                            },
                            {}});
    }
    SetInstructionSet(ProcessorInstructionSet());
    std::vector<std::uint8_t>& pixels = buffers.emplace_back(WarmPixelBuffer(c));
    variants.push_back({c.name + "_reference", [&c, &pixels] { DecodeReference(c, pixels); }, {}});
    return variants;
}

// Runs the variants of one case in turn, round after round; prints the median of each.
void TimeCase(std::vector<Variant>& variants, int rounds)
{
    for (Variant& variant : variants)
        variant.run(); // the first run pays for helper threads and cold memory
    for (int round = 0; round < rounds; ++round) {
        for (Variant& variant : variants) {
            const Clock::time_point start = Clock::now();
            variant.run();
            variant.times.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    for (Variant& variant : variants)
        std::printf("%-48s %9.3f ms\n", variant.name.c_str(), variant.Median());
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    SetPictureTraceFile(""); // both sides would append the same records
    SetReportSink([](ReportChannel, std::string_view) {});
    std::printf("%-48s %12s   (median of %d rounds)\n", "Benchmark", "Time", rounds);
    bool allSame = true;
    for (const DecodeBenchCase& c : DecodeBenchCases()) {
        std::deque<std::vector<std::uint8_t>> buffers; // the variants keep references
        std::vector<Variant> variants = DecodeVariants(c, buffers, allSame);
        TimeCase(variants, rounds);
    }
    for (const ZoomBenchCase& c : ZoomBenchCases()) {
        Pictures pictures;
        std::vector<Variant> variants = ZoomVariants(c, ReferenceResult(c), pictures, allSame);
        TimeCase(variants, rounds);
        Apply(kSettings[0]);
    }
    if (!allSame)
        std::printf("\nSOME RESULTS DIFFER FROM THE REFERENCE'S\n");
    return allSame ? 0 : 1;
}
