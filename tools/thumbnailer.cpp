#include "thumbnailer.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <charconv>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <thread>

#include "anim/pose.h"
#include "mdl/mdl_reader.h"
#include "mdx/mdx_reader.h"
#include "model/file_io.h"
#include "render/camera.h"
#include "render/draw_scene.h"
#include "render/gl_setup.h"
#include "render/hidden_triangles.h"
#include "render/offscreen_context.h"
#include "render/texture_table.h"
#include "view/framing.h"

namespace tess {
namespace {

constexpr const char* kPrefix = "tessarine-thumbnailer: ";
constexpr const char* kUsage = "usage: tessarine-thumbnailer [-s SIZE] INPUT OUTPUT.png\n";
// A three-quarter view: from 30 degrees above, between the front (+X) and the right (-Y).
constexpr float kPitch = 30;
constexpr float kYaw = 315;

struct Arguments {
    int size = kDefaultThumbnailSize;
    std::string input, output;
};

std::optional<Arguments> parseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "-s") {
            files.push_back(args[i]);
            continue;
        }
        if (++i == args.size()) return std::nullopt;
        const std::string& text = args[i];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed.size);
        if (error != std::errc() || end != text.data() + text.size() || parsed.size < 1 ||
            parsed.size > kMaxThumbnailSize)
            return std::nullopt;
    }
    if (files.size() != 2) return std::nullopt;
    parsed.input = files[0];
    parsed.output = files[1];
    return parsed;
}

// Reads the model with the reader its name selects; false, with the reason on `err`, when
// the file cannot be read, is no MDX file, or its reader reports an error.
bool loadModel(const std::string& path, Model& model, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    Diagnostics found = readWholeFile(path, bytes);
    if (!found.hasErrors()) {
        const bool mdx = !path.empty() && (path.back() == 'x' || path.back() == 'X');
        if (mdx && (bytes.size() < 4 || std::memcmp(bytes.data(), "MDLX", 4) != 0)) {
            err << kPrefix << path << ": not an MDX file (it does not start with MDLX)\n";
            return false;
        }
        std::ostream trace(nullptr);  // the reader's chunk trace is not wanted here
        found =
            mdx ? readMdx(model, bytes, trace)
                : readMdl(model, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (!found.hasErrors()) return true;
    for (const Diagnostic& entry : found.entries)
        if (entry.severity == Severity::Error) {
            err << kPrefix << path << ": "
                << (entry.line != 0 ? "line " + std::to_string(entry.line) + ": " : "") << entry.text << '\n';
            break;
        }
    return false;
}

// Draws the posed model framed in `size` x `size` pixels; RGBA, top row first. Removes the
// triangles the picture cannot show from `model` first.
std::optional<std::vector<std::uint8_t>> drawThumbnail(Model& model, const Pose& pose,
                                                       const std::string& modelPath, int size,
                                                       std::ostream& err) {
    OffscreenContext context;
    if (!context.open(size, size)) {
        err << kPrefix << "no headless OpenGL: " << context.error() << '\n';
        return std::nullopt;
    }
    Selection selection;
    selection.reset(model);
    View view;
    view.windowWidth = view.windowHeight = size;
    view.cameraPitch = kPitch;
    view.cameraYaw = kYaw;
    view.editMode = EditMode::None;
    view.showOverlay = false;
    view.showGrid = false;
    frameView(view, framingPoints(model, selection, pose.animatedPositions, true));

    TextureTable textures;
    initGL(textures, model, modelPath);
    glClearColor(0, 0, 0, 0);
    resizeScene(view);
    applyViewTransform(view);
    // Drawn once, so the rasteriser need not spend time on triangles hidden behind others.
    removeHiddenTriangles(model, pose, selection, WindowProjection::current());
    ScreenPositions screens;
    drawScene(Scene{model, pose, selection, view, textures}, screens, {});
    const std::vector<std::uint8_t> bottomUp = context.readPixels();
    releaseTextures(textures);

    std::vector<std::uint8_t> topDown(bottomUp.size());
    const std::size_t rowBytes = static_cast<std::size_t>(size) * 4;
    for (std::size_t row = 0; row < static_cast<std::size_t>(size); ++row)
        std::memcpy(topDown.data() + row * rowBytes, bottomUp.data() + (size - 1 - row) * rowBytes, rowBytes);
    return topDown;
}

}  // namespace

int runThumbnailer(const std::vector<std::string>& args, std::ostream& err) {
    const std::optional<Arguments> parsed = parseArguments(args);
    if (!parsed) {
        err << kUsage;
        return kThumbnailUsage;
    }
    // Loading the GL driver and reading the model each take a good part of a run on a large
    // model; they overlap.
    std::thread preparing(OffscreenContext::prepare);
    Model model;
    const bool loaded = loadModel(parsed->input, model, err);
    preparing.join();
    if (!loaded) return kThumbnailFailed;
    Pose pose;
    if (model.Sequences.empty())
        resetPose(model, pose);
    else
        evaluateModel(model, pose, static_cast<std::int32_t>(model.Sequences[0].IntervalStart));

    const std::optional<std::vector<std::uint8_t>> pixels =
        drawThumbnail(model, pose, parsed->input, parsed->size, err);
    if (!pixels) return kThumbnailFailed;
    std::vector<std::uint8_t> png;
    const auto append = [](void* target, void* data, int size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        static_cast<std::vector<std::uint8_t>*>(target)->insert(
            static_cast<std::vector<std::uint8_t>*>(target)->end(), bytes, bytes + size);
    };
    if (!stbi_write_png_to_func(append, &png, parsed->size, parsed->size, 4, pixels->data(),
                                parsed->size * 4)) {
        err << kPrefix << "cannot encode the picture\n";
        return kThumbnailFailed;
    }
    const Diagnostics written = writeFileAtomically(parsed->output, png);
    for (const Diagnostic& entry : written.entries) err << kPrefix << entry.text << '\n';
    return written.hasErrors() ? kThumbnailFailed : kThumbnailOk;
}

}  // namespace tess
