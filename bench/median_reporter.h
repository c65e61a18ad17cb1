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

// Initialises the library with repetitions interleaved: the machines are shared, and
// interleaving exposes every benchmark to the same load. Flags given on the command line
// come later and win. False when an argument is not understood.
inline bool initialiseInterleaved(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

}  // namespace tess::bench
