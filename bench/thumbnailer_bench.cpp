// The thumbnailer as a file manager runs it, one process per picture, on two generated
// 1,000,000-triangle models: the large sample model (random triangles across a 200-unit
// cube, each in both windings, so a 256-pixel picture fills every pixel hundreds of
// times) and a dense surface of small triangles, as a detailed model has them. Prints the
// median wall time and the peak resident memory of the child (getrusage maxrss) over five
// runs each, against the targets of 1 s and 300 MB.
//
//   thumbnailer_bench
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

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
        for (int r = 0; r < kTileQuads; ++r)
            for (int c = 0; c < kTileQuads; ++c) {
                const auto a = static_cast<std::uint32_t>(r * (kTileQuads + 1) + c);
                const std::uint32_t b = a + 1, d = a + kTileQuads + 1, e = d + 1;
                sheet.corners.insert(sheet.corners.end(), {a, b, e, a, e, d});
            }
        model.Geosets.push_back(std::move(sheet));
    }
    return model;
}

struct Figures {
    double seconds = 0;
    long maxRssKb = 0;
    int status = -1;
};

Figures runOnce(const std::string& input, const std::string& output) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(TESS_THUMBNAILER, TESS_THUMBNAILER, input.c_str(), output.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

bool measure(const char* name, const tess::Model& model, const std::filesystem::path& folder) {
    std::vector<std::uint8_t> bytes;
    const std::string input = (folder / (std::string(name) + ".mdx")).string();
    tess::Diagnostics found = tess::writeMdx(model, bytes);
    if (!found.hasErrors()) found = tess::writeFileAtomically(input, bytes);
    if (found.hasErrors()) {
        std::fprintf(stderr, "cannot write %s: %s\n", input.c_str(), found.entries.front().text.c_str());
        return false;
    }
    std::vector<Figures> runs;
    for (int i = 0; i < kRuns; ++i) runs.push_back(runOnce(input, (folder / "out.png").string()));
    if (std::any_of(runs.begin(), runs.end(), [](const Figures& f) { return f.status != 0; })) {
        std::fprintf(stderr, "%s: the thumbnailer failed\n", name);
        return false;
    }
    std::sort(runs.begin(), runs.end(),
              [](const Figures& a, const Figures& b) { return a.seconds < b.seconds; });
    const long peakKb = std::max_element(runs.begin(), runs.end(), [](const Figures& a, const Figures& b) {
                            return a.maxRssKb < b.maxRssKb;
                        })->maxRssKb;
    std::printf("%-14s %9.3f s median wall (min %.3f)   %7.1f MB peak   target 1 s, 300 MB\n", name,
                runs[kRuns / 2].seconds, runs.front().seconds, static_cast<double>(peakKb) / 1024);
    return true;
}

}  // namespace

int main() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("thumbnailer_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const bool ok = measure("dense-surface", denseSurface(), folder) &&
                    measure("random-large", tess::testing::makeLargeModel(16, 31252, 40, 20), folder);
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
