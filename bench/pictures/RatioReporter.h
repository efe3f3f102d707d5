// Console output plus, at the end, the time of each benchmark divided by its peer's: a benchmark
// named "X" is compared with "X_<peer>" when both ran (with repetitions, their medians).
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // No colours: the output is often kept in files.
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> m_timePerIteration; // seconds, by benchmark name
};
