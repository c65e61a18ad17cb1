// Throughput of the MDX reader and writer on a large generated model, against memcpy of
// the same bytes in the same run, and the peak memory of loading that file.
//
//   mdx_bench [benchmark flags]      runs the benchmarks, then prints the ratio lines
//   mdx_bench --load-peak FILE       loads FILE only and prints its peak RSS in KiB
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "common/sample_models.h"
#include "mdx/mdx_reader.h"
#include "mdx/mdx_writer.h"
#include "median_reporter.h"
#include "model/file_io.h"

namespace {

const tess::Model& largeModel() {
    static const tess::Model model = tess::testing::makeLargeModel(4, 50000, 100, 20);
    return model;
}

const std::vector<std::uint8_t>& largeFile() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> out;
        tess::writeMdx(largeModel(), out);
        return out;
    }();
    return bytes;
}

void BM_MdxRead(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = largeFile();
    std::ostream trace(nullptr);  // no buffer: every write is dropped
    tess::Model model;            // the one document, reset and refilled by every load
    for (auto _ : state) {
        tess::readMdx(model, bytes, trace);
        benchmark::DoNotOptimize(model.Geosets.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_MdxWrite(benchmark::State& state) {
    const tess::Model& model = largeModel();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        out.clear();  // keeps the capacity, as a saved buffer reused between saves would
        tess::writeMdx(model, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeFile().size()));
}

void BM_Memcpy(benchmark::State& state) {
    const std::vector<std::uint8_t>& bytes = largeFile();
    std::vector<std::uint8_t> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The least work a load must do: reset the document and build geosets of the same
// shape (zero vertices and corners), without reading anything. It bounds how close the
// reader can get to memcpy, since the model holds more bytes per vertex than the file.
void BM_ModelFillFloor(benchmark::State& state) {
    const tess::Model& shape = largeModel();
    tess::Model model;
    for (auto _ : state) {
        model.reset();
        for (const tess::Geoset& source : shape.Geosets) {
            tess::Geoset& g = model.Geosets.emplace_back();
            g.uvSets.resize(source.textureSetCount());
            g.resizeVertices(source.vertexCount());
            g.corners.resize(source.corners.size());
        }
        benchmark::DoNotOptimize(model.Geosets.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeFile().size()));
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_Memcpy)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MdxRead)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MdxWrite)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelFillFloor)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);

long peakRssKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int loadPeak(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (tess::readWholeFile(path, bytes).hasErrors()) return 1;
    std::ostream trace(nullptr);  // no buffer: every write is dropped
    tess::Model model;
    tess::readMdx(model, bytes, trace);
    std::printf("%ld %zu\n", peakRssKib(), model.Geosets.size());
    return 0;
}

// Loads the file in a child process of this same program, so the figure holds only the
// load: the file bytes and the model, not the benchmarks' copies.
void reportLoadPeak() {
    const std::vector<std::uint8_t>& bytes = largeFile();
    char path[] = "/tmp/mdx_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return;
    const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    long peakKib = 0;
    std::size_t geosets = 0;
    if (written) {
        const std::string command = "/proc/" + std::to_string(getpid()) + "/exe --load-peak " + path;
        if (FILE* child = popen(command.c_str(), "r")) {
            if (std::fscanf(child, "%ld %zu", &peakKib, &geosets) != 2) peakKib = 0;
            pclose(child);
        }
    }
    std::remove(path);
    if (peakKib == 0 || geosets != largeModel().Geosets.size()) {
        std::printf("load peak: child load failed\n");
        return;
    }
    const double fileMb = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
    const double peakMb = static_cast<double>(peakKib) / 1024.0;
    std::printf("ratio mdx_load_peak_vs_file %.2f\n", peakMb / fileMb);
    std::printf("load peak %.1f MB for a %.1f MB file (target at most %.1f MB)\n", peakMb, fileMb,
                3 * fileMb + 30);
}

// What a vertex of a geoset with one texture set costs in memory: position, normal, one
// (u, v) pair and its vertex group, each in its own array.
void reportVertexBytes() {
    using G = tess::Geoset;
    constexpr std::size_t kBytes = sizeof(G::positions[0]) + sizeof(G::normals[0]) + sizeof(G::uvSets[0][0]) +
                                   sizeof(G::vertexGroups[0]);
    std::printf("stored bytes per vertex (one texture set) %zu\n", kBytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load-peak") == 0) return loadPeak(argv[2]);
    // glibc's default policy maps large blocks afresh or trims them back to the system
    // depending on its history, which swings the read time several-fold between runs.
    // Keeping freed memory in the heap measures the code rather than the page faults.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    largeFile();  // built before timing starts
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    reporter.printRatio("mdx_read_vs_memcpy", "BM_MdxRead", "BM_Memcpy");
    reporter.printRatio("mdx_write_vs_memcpy", "BM_MdxWrite", "BM_Memcpy");
    reporter.printRatio("mdx_read_vs_model_fill", "BM_MdxRead", "BM_ModelFillFloor");
    reportLoadPeak();
    reportVertexBytes();
    return 0;
}
