// Batch conversion of a folder of generated models, MDX to MDL, with one worker and with
// one per core, in wall time; prints the speed-up.
//
//   convert_batch_bench [benchmark flags]
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "common/sample_models.h"
#include "convert.h"
#include "mdx/mdx_writer.h"
#include "median_reporter.h"
#include "model/file_io.h"

namespace {

constexpr std::size_t kModelCount = 200;

// A folder with the models in "in" and an empty "out", removed at exit.
struct Folder {
    std::filesystem::path root;
    std::vector<std::string> inputs;

    Folder() {
        char pattern[] = "/tmp/convert_batch_bench_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        root = pattern;
        std::filesystem::create_directory(root / "in");
        std::filesystem::create_directory(root / "out");
        for (std::size_t i = 0; i < kModelCount; ++i) {
            const tess::Model model = tess::testing::makeLargeModel(2, 1500 + 10 * i, 10, 10);
            std::vector<std::uint8_t> bytes;
            tess::writeMdx(model, bytes);
            inputs.push_back((root / "in" / ("model" + std::to_string(i) + ".mdx")).string());
            if (tess::writeFileAtomically(inputs.back(), bytes).hasErrors()) std::abort();
        }
    }
    ~Folder() { std::filesystem::remove_all(root); }
};

const Folder& folder() {
    static const Folder instance;
    return instance;
}

void BM_ConvertBatch(benchmark::State& state) {
    std::vector<std::string> args = {"-j", std::to_string(state.range(0)),  "--to", "mdl",
                                     "-o", (folder().root / "out").string()};
    args.insert(args.end(), folder().inputs.begin(), folder().inputs.end());
    std::ostream dropped(nullptr);  // no buffer: the trace and the summary are dropped
    for (auto _ : state)
        if (tess::runConverter(args, dropped, dropped) != tess::kConvertOk)
            state.SkipWithError("batch failed");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kModelCount));
}

const long kCores = std::max(1u, std::thread::hardware_concurrency());
BENCHMARK(BM_ConvertBatch)->Arg(1)->Arg(kCores)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

// Keeps the median wall time of each run, by its full name ("BM_ConvertBatch/2/...").
class WallReporter : public tess::bench::MedianReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        MedianReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                wall[run.run_name.args] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> wall;
};

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    folder();  // written before timing starts
    WallReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto one = reporter.wall.find("1");
    const auto all = reporter.wall.find(std::to_string(kCores));
    if (one != reporter.wall.end() && all != reporter.wall.end() && all->second > 0)
        std::printf(
            "ratio convert_batch_speedup_%ld_cores %.2f (%zu models: %.0f ms with -j 1, %.0f ms with -j "
            "%ld)\n",
            kCores, one->second / all->second, kModelCount, one->second, all->second, kCores);
    return 0;
}
