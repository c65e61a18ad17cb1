// Cost of posing a skinned model with evaluateModel, against the least work a pose must do
// in the same run: transforming every vertex's rest position by one precomputed matrix.
//
//   anim_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <vector>

#include "anim/matrix.h"
#include "anim/node_order.h"
#include "anim/pose.h"
#include "median_reporter.h"
#include "model/model.h"

namespace {

constexpr std::size_t kBones = 200;
constexpr std::size_t kKeysPerTrack = 30;
constexpr std::size_t kGeosets = 4;
constexpr std::size_t kVerticesPerGeoset = 50000;
constexpr std::size_t kGroupsPerGeoset = 256;
constexpr std::int32_t kKeySpacingMs = 100;
// Halfway through the keys, so each track scans about half of them.
constexpr std::int32_t kPoseTime = kKeySpacingMs * static_cast<std::int32_t>(kKeysPerTrack) / 2 + 37;

class Random {
public:
    float next(float low, float high) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + static_cast<float>(state_ >> 8) / 16777216.0f * (high - low);
    }
    std::uint32_t below(std::uint32_t n) {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % n;
    }

private:
    std::uint32_t state_ = 2024;
};

tess::Quat randomRotation(Random& random) {
    const float x = random.next(-1, 1), y = random.next(-1, 1), z = random.next(-1, 1),
                w = random.next(0.2f, 1);
    const float length = std::sqrt(x * x + y * y + z * z + w * w);
    return {x / length, y / length, z / length, w / length};
}

// 200 bones in a ternary tree six levels deep (1, 3, 9, 27, 81 and 79 bones), every bone
// with 30 rotation and 30 translation keys; four geosets of 50,000 vertices whose 256
// matrix groups each name 1 to 4 bones.
tess::Model makePosingModel() {
    Random random;
    tess::Model model;
    for (std::size_t b = 0; b < kBones; ++b) {
        tess::Bone bone;
        bone.node.ObjectId = static_cast<std::uint32_t>(b);
        bone.node.Parent = b == 0 ? -1 : static_cast<std::int32_t>((b - 1) / 3);
        for (std::size_t k = 0; k < kKeysPerTrack; ++k) {
            const auto time = static_cast<std::int32_t>(k) * kKeySpacingMs;
            bone.node.Rotation.keys.push_back({time, randomRotation(random), {}, {}});
            bone.node.Translation.keys.push_back(
                {time, {random.next(-5, 5), random.next(-5, 5), random.next(-5, 5)}, {}, {}});
        }
        model.Bones.push_back(bone);
        model.PivotPoints.push_back({random.next(-50, 50), random.next(-50, 50), random.next(-50, 50)});
    }
    for (std::size_t g = 0; g < kGeosets; ++g) {
        tess::Geoset& geoset = model.Geosets.emplace_back();
        for (std::size_t m = 0; m < kGroupsPerGeoset; ++m) {
            std::vector<std::uint32_t> group;
            for (std::size_t e = 0; e <= m % 4; ++e) group.push_back(random.below(kBones));
            geoset.matrixGroups.push_back(group);
        }
        geoset.uvSets.resize(1);
        geoset.resizeVertices(kVerticesPerGeoset);
        for (std::size_t v = 0; v < kVerticesPerGeoset; ++v) {
            geoset.positions[v] = {random.next(-100, 100), random.next(-100, 100), random.next(-100, 100)};
            geoset.uvSets[0][v] = {random.next(0, 1), random.next(0, 1)};
            geoset.vertexGroups[v] = random.below(kGroupsPerGeoset);
        }
    }
    return model;
}

struct Posing {
    tess::Model model = makePosingModel();
    tess::Pose pose;
    Posing() { tess::computeNodeOrder(model, pose); }
};

Posing& posing() {
    static Posing posing;
    return posing;
}

void BM_EvaluateModel(benchmark::State& state) {
    Posing& p = posing();
    for (auto _ : state) {
        tess::evaluateModel(p.model, p.pose, kPoseTime);
        benchmark::DoNotOptimize(p.pose.animatedPositions.data());
        benchmark::ClobberMemory();
    }
}

// The floor of any pose: one matrix, chosen before timing, applied to every vertex.
void BM_SingleMatrix(benchmark::State& state) {
    Posing& p = posing();
    const tess::Mat4 m =
        tess::multiply(tess::translationMatrix({1, 2, 3}), tess::rotationMatrix({0, 0, 0.6f, 0.8f}));
    p.pose.animatedPositions.resize(p.model.Geosets.size());
    for (auto _ : state) {
        for (std::size_t g = 0; g < p.model.Geosets.size(); ++g) {
            const std::vector<tess::Vec3>& rest = p.model.Geosets[g].positions;
            std::vector<tess::Vec3>& animated = p.pose.animatedPositions[g];
            animated.resize(rest.size());
            for (std::size_t v = 0; v < rest.size(); ++v) animated[v] = tess::transformPoint(m, rest[v]);
        }
        benchmark::DoNotOptimize(p.pose.animatedPositions.data());
        benchmark::ClobberMemory();
    }
}

constexpr int kRepetitions = 9;
BENCHMARK(BM_SingleMatrix)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateModel)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!tess::bench::initialiseInterleaved(argc, argv)) return 1;
    posing();  // built before timing starts
    tess::bench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout.flush();
    reporter.printRatio("evaluate_model_vs_single_matrix", "BM_EvaluateModel", "BM_SingleMatrix");
    // Memory per vertex of a geoset with one texture set: what the file stores (position,
    // normal, one (u, v), vertex group) and what the editor keeps beside it (the pose's animated
    // position, the viewport and UV selection flags, the screen position).
    const std::size_t stored = 2 * sizeof(tess::Vec3) + sizeof(tess::Vec2) + sizeof(std::uint32_t);
    const std::size_t runtime = sizeof(tess::Vec3) + 2 * sizeof(std::uint8_t) + sizeof(tess::Vec3);
    std::printf("bytes_per_vertex stored %zu runtime %zu\n", stored, runtime);
    return 0;
}
