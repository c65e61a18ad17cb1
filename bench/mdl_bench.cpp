// MDL text speed: writing against plain number formatting, parsing against plain splitting
// and number conversion of the same text. Prints the median time ratios after the table.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/sample_models.h"
#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"
#include "median_reporter.h"

namespace tess {
namespace {

// The numbers the MDL text of a model spells out, gathered once so the baseline does
// nothing but format them.
struct Numbers {
    std::vector<float> floats;
    std::vector<std::int32_t> ints;
};

void addVec(Numbers& numbers, const float* values, std::size_t count) {
    numbers.floats.insert(numbers.floats.end(), values, values + count);
}

template <class V>
void addTrack(Numbers& numbers, const Track<V>& track) {
    for (const auto& key : track.keys) {
        numbers.ints.push_back(key.time);
        addVec(numbers, key.value.data(), key.value.size());
    }
}

Numbers gatherNumbers(const Model& model) {
    Numbers numbers;
    for (const Geoset& geoset : model.Geosets) {
        for (const Vec3& position : geoset.positions) addVec(numbers, position.data(), 3);
        for (const Vec3& normal : geoset.normals) addVec(numbers, normal.data(), 3);
        for (const std::vector<Vec2>& set : geoset.uvSets)
            for (const Vec2& uv : set) addVec(numbers, uv.data(), 2);
        for (const std::uint32_t group : geoset.vertexGroups)
            numbers.ints.push_back(static_cast<std::int32_t>(group));
        for (const std::uint32_t corner : geoset.corners)
            numbers.ints.push_back(static_cast<std::int32_t>(corner));
        for (const auto& group : geoset.matrixGroups)
            for (const std::uint32_t bone : group) numbers.ints.push_back(static_cast<std::int32_t>(bone));
    }
    for (const Bone& bone : model.Bones) {
        numbers.ints.push_back(static_cast<std::int32_t>(bone.node.ObjectId));
        numbers.ints.push_back(bone.node.Parent);
        addTrack(numbers, bone.node.Translation);
        addTrack(numbers, bone.node.Rotation);
    }
    for (const PivotPoint& pivot : model.PivotPoints) addVec(numbers, pivot.data(), 3);
    return numbers;
}

void formatNumbers(const Numbers& numbers, std::string& out) {
    char buffer[64];
    for (const float f : numbers.floats) {
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(f), std::chars_format::fixed, 6)
                .ptr;
        out.append(buffer, end);
        out.append(", ");
    }
    for (const std::int32_t i : numbers.ints) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, i).ptr;
        out.append(buffer, end);
        out.append(", ");
    }
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '{' || c == '}' || c == ':' || c == '"';
}

// Lines, words and a conversion of every word that starts like a number: the least work
// any reader of this text has to do.
double splitAndConvert(std::string_view text) {
    double sum = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const void* feed = std::memchr(text.data() + pos, '\n', text.size() - pos);
        const std::size_t end =
            feed ? static_cast<std::size_t>(static_cast<const char*>(feed) - text.data()) : text.size();
        std::size_t i = pos;
        while (i < end) {
            while (i < end && isSeparator(text[i])) ++i;
            const std::size_t begin = i;
            while (i < end && !isSeparator(text[i])) ++i;
            const char first = text[begin];
            if (i > begin && ((first >= '0' && first <= '9') || first == '-')) {
                double value = 0;
                std::from_chars(text.data() + begin, text.data() + i, value);
                sum += value;
            }
        }
        pos = end + 1;
    }
    return sum;
}

}  // namespace
}  // namespace tess

int main(int argc, char** argv) {
    using namespace tess;
    const Model model = testing::makeLargeModel(4, 50000, 100, 20);
    std::string text;
    writeMdl(model, text, 0);
    const Numbers numbers = gatherNumbers(model);
    std::printf("MDL text: %zu bytes, %zu floats and %zu integers in the baseline\n", text.size(),
                numbers.floats.size(), numbers.ints.size());

    const auto perIteration = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    };
    perIteration(benchmark::RegisterBenchmark("BM_MdlWrite", [&](benchmark::State& state) {
        std::string out;
        for (auto _ : state) {
            out.clear();
            writeMdl(model, out, 0);
            benchmark::DoNotOptimize(out.data());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
    }));
    perIteration(benchmark::RegisterBenchmark("BM_ToCharsBaseline", [&](benchmark::State& state) {
        std::string out;
        for (auto _ : state) {
            out.clear();
            formatNumbers(numbers, out);
            benchmark::DoNotOptimize(out.data());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out.size()));
    }));
    perIteration(benchmark::RegisterBenchmark("BM_MdlParse", [&](benchmark::State& state) {
        Model parsed;
        Diagnostics diagnostics;
        for (auto _ : state) {
            diagnostics = readMdl(parsed, text);
            benchmark::DoNotOptimize(parsed.Geosets.data());
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
        if (!diagnostics.empty()) state.SkipWithError("the written text did not parse cleanly");
    }));
    perIteration(benchmark::RegisterBenchmark("BM_FromCharsBaseline", [&](benchmark::State& state) {
        for (auto _ : state) benchmark::DoNotOptimize(splitAndConvert(text));
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    }));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatio("mdl_write_vs_to_chars", "BM_MdlWrite", "BM_ToCharsBaseline");
    reporter.printRatio("mdl_parse_vs_from_chars", "BM_MdlParse", "BM_FromCharsBaseline");
    return 0;
}
