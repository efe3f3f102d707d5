#include "RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median stands for the benchmark; it is reported after the runs.
    for (const Run& run : runs) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if ((run.run_type == Run::RT_Iteration || median) && run.iterations > 0)
            m_timePerIteration[run.run_name.str()] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\nTime relative to the peer (below 1: ours is faster)\n");
    for (const auto& [name, ours] : m_timePerIteration) {
        for (const auto& [peerName, peer] : m_timePerIteration) {
            if (peerName.size() > name.size() + 1 && peerName.starts_with(name + "_") &&
                peerName.find('_', name.size() + 1) == std::string::npos)
                std::printf("  %-32s ours / %-6s = %.3f\n", name.c_str(),
                            peerName.substr(name.size() + 1).c_str(), ours / peer);
        }
    }
}
