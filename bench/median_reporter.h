#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tess::bench {

// Prints Google Benchmark's table without colour codes (so the ratio lines printed after
// it stand alone on their lines) and keeps the median CPU time of each benchmark.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }

    // Prints "ratio NAME X.XX", ours over baseline, when both ran.
    void printRatio(const char* name, const char* ours, const char* baseline) const {
        const auto a = medians.find(ours);
        const auto b = medians.find(baseline);
        if (a == medians.end() || b == medians.end() || b->second <= 0) return;
        std::printf("ratio %s %.2f\n", name, a->second / b->second);
    }

    std::map<std::string, double> medians;
};

}  // namespace tess::bench
