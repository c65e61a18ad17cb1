// The thumbnailer as a file manager runs it, one process per picture, on two generated
// 1,000,000-triangle models: the large sample model (random triangles across a 200-unit
// cube, each in both windings, so a 256-pixel picture fills every pixel hundreds of
// times) and a dense surface of small triangles, as a detailed model has them. Prints the
// median wall time and the peak resident memory of the child (getrusage maxrss) over five
// runs each, against the targets of 1 s and 300 MB. When the general 3D viewer f3d is on
// PATH, it renders the random model's posed mesh, written as a binary PLY, to a PNG of the
// same size under xvfb-run, timed the same way less the time of xvfb-run alone, and the
// ratios ours/f3d are printed.
//
//   thumbnailer_bench [--keep]    (--keep leaves the inputs and pictures in the temporary folder)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "anim/pose.h"
#include "common/sample_models.h"
#include "mdx/mdx_writer.h"
#include "model/file_io.h"

namespace {

constexpr int kRuns = 5;
constexpr int kTiles = 4;        // 4 x 4 geosets (MDX holds at most 65,536 vertices in one)
constexpr int kTileQuads = 177;  // 177 x 177 quads each: 1,002,528 triangles in all

// A wavy sheet of small triangles made of 16 tiles, without bones, showing the default texture.
tess::Model denseSurface() {
    tess::Model model = tess::testing::makeLargeModel(0, 0, 1, 2);
    for (int tile = 0; tile < kTiles * kTiles; ++tile) {
        tess::Geoset sheet;
        for (int r = 0; r <= kTileQuads; ++r)
            for (int c = 0; c <= kTileQuads; ++c) {
                const float x =
                    static_cast<float>(tile % kTiles * kTileQuads + c) - kTiles * kTileQuads / 2.0f;
                const float y =
                    static_cast<float>(tile / kTiles * kTileQuads + r) - kTiles * kTileQuads / 2.0f;
                sheet.positions.push_back({x, y, 20 * std::sin(x / 40) * std::cos(y / 40)});
            }
        sheet.resizeVertices(sheet.positions.size());
        tess::testing::appendGridTriangles(sheet, kTileQuads, kTileQuads);
        model.Geosets.push_back(std::move(sheet));
    }
    return model;
}

struct Figures {
    double seconds = 0;
    long maxRssKb = 0;
    int status = -1;
};

Figures runOnce(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The median run of `command` over kRuns, with the peak memory of all; status -1 when a
// run failed.
Figures medianRun(const std::vector<std::string>& command) {
    std::vector<Figures> runs;
    for (int i = 0; i < kRuns; ++i) runs.push_back(runOnce(command));
    if (std::any_of(runs.begin(), runs.end(), [](const Figures& f) { return f.status != 0; })) return {};
    std::sort(runs.begin(), runs.end(),
              [](const Figures& a, const Figures& b) { return a.seconds < b.seconds; });
    Figures median = runs[kRuns / 2];
    for (const Figures& run : runs) median.maxRssKb = std::max(median.maxRssKb, run.maxRssKb);
    return median;
}

void printFigures(const char* name, const Figures& figures, const char* note) {
    std::printf("%-14s %9.3f s median wall   %7.1f MB peak   %s\n", name, figures.seconds,
                static_cast<double>(figures.maxRssKb) / 1024, note);
}

// The thumbnailer's figures on `model`, written as an MDX file in `folder`; status -1 when
// it cannot be written or the thumbnailer fails.
Figures measure(const char* name, const tess::Model& model, const std::filesystem::path& folder) {
    std::vector<std::uint8_t> bytes;
    const std::string input = (folder / (std::string(name) + ".mdx")).string();
    tess::Diagnostics found = tess::writeMdx(model, bytes);
    if (!found.hasErrors()) found = tess::writeFileAtomically(input, bytes);
    if (found.hasErrors()) {
        std::fprintf(stderr, "cannot write %s: %s\n", input.c_str(), found.entries.front().text.c_str());
        return {};
    }
    const Figures figures =
        medianRun({TESS_THUMBNAILER, input, (folder / (std::string(name) + ".png")).string()});
    if (figures.status != 0)
        std::fprintf(stderr, "%s: the thumbnailer failed\n", name);
    else
        printFigures(name, figures, "target 1 s, 300 MB");
    return figures;
}

bool onPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::string_view folder = rest.substr(0, rest.find(':'));
        rest.remove_prefix(std::min(rest.size(), folder.size() + 1));
        if (!folder.empty() && access((std::string(folder) + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

// The mesh the thumbnailer draws (every geoset at the pose of the first sequence's start)
// as a binary little-endian PLY file.
bool writePly(const tess::Model& model, const std::string& path) {
    tess::Pose pose;
    tess::evaluateModel(model, pose, static_cast<std::int32_t>(model.Sequences[0].IntervalStart));
    std::size_t vertexCount = 0, triangleCount = 0;
    for (const tess::Geoset& geoset : model.Geosets) {
        vertexCount += geoset.vertexCount();
        triangleCount += geoset.triangleCount();
    }
    const std::string header =
        "ply\nformat binary_little_endian 1.0\nelement vertex " + std::to_string(vertexCount) +
        "\nproperty float x\nproperty float y\nproperty float z\nelement face " +
        std::to_string(triangleCount) + "\nproperty list uchar uint vertex_indices\nend_header\n";
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    const auto append = [&bytes](const void* data, std::size_t size) {
        bytes.insert(bytes.end(), static_cast<const std::uint8_t*>(data),
                     static_cast<const std::uint8_t*>(data) + size);
    };
    for (const std::vector<tess::Vec3>& positions : pose.animatedPositions)
        append(positions.data(), positions.size() * sizeof(tess::Vec3));
    std::uint32_t first = 0;
    for (const tess::Geoset& geoset : model.Geosets) {
        for (std::size_t t = 0; t < geoset.triangleCount(); ++t) {
            const std::uint8_t corners = 3;
            append(&corners, 1);
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t index = first + geoset.corners[3 * t + c];
                append(&index, 4);
            }
        }
        first += static_cast<std::uint32_t>(geoset.vertexCount());
    }
    return !tess::writeFileAtomically(path, bytes).hasErrors();
}

// f3d needs a display, so it runs under xvfb-run.
bool compareWithF3d(const tess::Model& model, const Figures& ours, const std::filesystem::path& folder) {
    if (!onPath("f3d") || !onPath("xvfb-run")) {
        std::printf("f3d or xvfb-run is not on PATH: the comparison with a general 3D viewer is skipped\n");
        return true;
    }
    const std::string ply = (folder / "random-large.ply").string();
    if (!writePly(model, ply)) {
        std::fprintf(stderr, "cannot write %s\n", ply.c_str());
        return false;
    }
    const Figures f3d = medianRun(
        {"xvfb-run", "-a", "f3d", "--output=" + (folder / "f3d.png").string(), "--resolution=256,256", ply});
    if (f3d.status != 0) {
        std::fprintf(stderr, "f3d failed\n");
        return false;
    }
    // The display server's start and stop, timed alone, is taken off f3d's time.
    const Figures server = medianRun({"xvfb-run", "-a", "true"});
    printFigures("f3d", f3d, "with the display server");
    std::printf("%-14s %9.3f s median wall of xvfb-run alone, taken off f3d's time\n", "", server.seconds);
    std::printf("ratio thumbnailer_vs_f3d_time %.2f\n", ours.seconds / (f3d.seconds - server.seconds));
    std::printf("ratio thumbnailer_vs_f3d_memory %.2f\n",
                static_cast<double>(ours.maxRssKb) / static_cast<double>(f3d.maxRssKb));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("thumbnailer_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const tess::Model random = tess::testing::makeLargeModel(16, 31252, 40, 20);
    bool ok = measure("dense-surface", denseSurface(), folder).status == 0;
    const Figures ours = measure("random-large", random, folder);
    ok = ok && ours.status == 0 && compareWithF3d(random, ours, folder);
    if (argc > 1 && std::strcmp(argv[1], "--keep") == 0)
        std::printf("pictures and inputs kept in %s\n", folder.c_str());
    else
        std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
