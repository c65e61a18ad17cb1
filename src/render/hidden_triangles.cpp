#include "render/hidden_triangles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "render/draw_geoset.h"

namespace tess {

namespace {

// The viewport is split into square cells, at least kMinCellSize pixels across and at most
// kMaxCells to a side.
constexpr int kMinCellSize = 8;
constexpr int kMaxCells = 64;
// How far past a triangle's edges its pixels may reach, in pixels, and the depth slack. They
// cover the rasteriser snapping corners to its sub-pixel grid and working in single
// precision; the slack also keeps the 24-bit depth buffer from rounding two different depths
// into a tie, which the depth test would settle by drawing order.
constexpr double kEdgeMargin = 1.0 / 16;
constexpr double kDepthMargin = 1e-5;
// Corners farther than this many pixels outside the viewport are left to the rasteriser's
// clipping, whose rounding grows with the distance.
constexpr double kFarOff = 16384;
constexpr double kNoCover = std::numeric_limits<double>::infinity();

struct WindowCorner {
    double x = 0, y = 0, z = 0;
    bool drawable = false;  // in front of the eye, inside the depth range, not far off the viewport
};

// A triangle in window coordinates. When it faces the viewer for sure, its edges as signed
// distances (n.x * x + n.y * y + d, positive inside) and its depth as a plane.
struct WindowTriangle {
    WindowTriangle(const WindowCorner& a, const WindowCorner& b, const WindowCorner& c)
        : corners{&a, &b, &c}, front(std::min({a.z, b.z, c.z})), back(std::max({a.z, b.z, c.z})) {
        const double area2 = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        // Moving each corner by up to kEdgeMargin changes the doubled area by less than this.
        double reach = 0;
        for (int i = 0; i < 3; ++i) {
            const WindowCorner &p = *corners[i], &q = *corners[(i + 1) % 3];
            reach += 2 * kEdgeMargin * (std::abs(q.x - p.x) + std::abs(q.y - p.y));
        }
        facing = area2 > reach ? Facing::Front : area2 < -reach ? Facing::Back : Facing::Unsure;
        if (facing != Facing::Front) return;
        for (int i = 0; i < 3; ++i) {
            const WindowCorner &p = *corners[i], &q = *corners[(i + 1) % 3];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            edges[i] = {-(q.y - p.y) / length, (q.x - p.x) / length, 0};
            edges[i][2] = -(edges[i][0] * p.x + edges[i][1] * p.y);
        }
        dzdx = ((b.z - a.z) * (c.y - a.y) - (c.z - a.z) * (b.y - a.y)) / area2;
        dzdy = ((c.z - a.z) * (b.x - a.x) - (b.z - a.z) * (c.x - a.x)) / area2;
        z0 = a.z - dzdx * a.x - dzdy * a.y;
    }

    enum class Facing { Front, Back, Unsure };

    std::array<const WindowCorner*, 3> corners;
    double front, back;  // the nearest and deepest corner depth
    Facing facing;
    std::array<std::array<double, 3>, 3> edges{};
    double dzdx = 0, dzdy = 0, z0 = 0;
};

// A grid of cells over the viewport; each cell holds a depth that something opaque drawn over
// the whole cell lies in front of.
class CoverGrid {
public:
    explicit CoverGrid(const std::array<int, 4>& viewport)
        : left_(viewport[0]),
          bottom_(viewport[1]),
          width_(std::max(viewport[2], 1)),
          height_(std::max(viewport[3], 1)),
          cellSize_(std::max(
              {kMinCellSize, (width_ + kMaxCells - 1) / kMaxCells, (height_ + kMaxCells - 1) / kMaxCells})),
          half_(cellSize_ / 2.0 - 0.5),
          columns_((width_ + cellSize_ - 1) / cellSize_),
          rows_((height_ + cellSize_ - 1) / cellSize_),
          cover_(static_cast<std::size_t>(columns_ * rows_), kNoCover) {}

    // Records the cells whose every pixel centre a front-facing triangle covers, with the
    // deepest depth it has over them.
    void addOccluder(const WindowTriangle& t) {
        if (t.facing != WindowTriangle::Facing::Front) return;
        const double rise = (std::abs(t.dzdx) + std::abs(t.dzdy)) * (half_ + kEdgeMargin) + kDepthMargin;
        forCells(t, Reach::Inside, [&](int column, int row, double cx, double cy) {
            double& cover = cover_[index(column, row)];
            cover = std::min({cover, t.z0 + t.dzdx * cx + t.dzdy * cy + rise, t.back + kDepthMargin});
            return true;
        });
    }

    // Keeps, per cell, the nearer of its own and the other grid's cover.
    void merge(const CoverGrid& other) {
        for (std::size_t i = 0; i < cover_.size(); ++i) cover_[i] = std::min(cover_[i], other.cover_[i]);
    }

    // True when in every cell the triangle may reach it lies wholly behind a recorded occluder.
    bool hidden(const WindowTriangle& t) const {
        if (t.facing != WindowTriangle::Facing::Front) {
            // Without trusted edges: every cell of its bounds, at its nearest corner's depth.
            const auto [columns, rows] = cellRange(t, kEdgeMargin);
            for (int row = rows[0]; row <= rows[1]; ++row)
                for (int column = columns[0]; column <= columns[1]; ++column)
                    if (!(cover_[index(column, row)] < t.front - kDepthMargin)) return false;
            return true;
        }
        const double fall = (std::abs(t.dzdx) + std::abs(t.dzdy)) * (half_ + kEdgeMargin) + kDepthMargin;
        return forCells(t, Reach::Touching, [&](int column, int row, double cx, double cy) {
            const double nearest = std::max(t.z0 + t.dzdx * cx + t.dzdy * cy - fall, t.front - kDepthMargin);
            return cover_[index(column, row)] < nearest;
        });
    }

private:
    // Inside: cells whose every pixel centre lies kEdgeMargin inside the triangle.
    // Touching: cells with a pixel centre that may lie within kEdgeMargin of it.
    enum class Reach { Inside, Touching };

    // Calls `visit(column, row, centre x, centre y)` for the cells of the triangle's bounds
    // that `reach` selects, while it returns true; false when a call returned false.
    template <typename Visit>
    bool forCells(const WindowTriangle& t, Reach reach, Visit visit) const {
        const double margin = reach == Reach::Inside ? -(half_ + kEdgeMargin) : half_ + kEdgeMargin;
        const auto [columns, rows] = cellRange(t, reach == Reach::Inside ? 0 : kEdgeMargin);
        for (int row = rows[0]; row <= rows[1]; ++row) {
            const double cy = bottom_ + (row + 0.5) * cellSize_;
            double low = columns[0], high = columns[1];
            for (const auto& [nx, ny, d] : t.edges) {
                // The edge test at column c: nx * cx(c) + offset >= 0, with cx(c) = left + (c + 0.5) * size.
                const double offset = ny * cy + d + (std::abs(nx) + std::abs(ny)) * margin;
                if (nx == 0) {
                    if (offset < 0) high = low - 1;
                } else {
                    const double turn = (-offset / nx - left_) / cellSize_ - 0.5;
                    if (nx > 0)
                        low = std::max(low, std::ceil(turn));
                    else
                        high = std::min(high, std::floor(turn));
                }
            }
            if (low > high) continue;  // also keeps a far-off turn from reaching the casts
            for (int column = static_cast<int>(low); column <= static_cast<int>(high); ++column)
                if (!visit(column, row, left_ + (column + 0.5) * cellSize_, cy)) return false;
        }
        return true;
    }

    // The first and last column and row of the cells holding pixel centres within `margin`
    // of the triangle's bounds; empty (first > last) when no pixel centre is there.
    std::pair<std::array<int, 2>, std::array<int, 2>> cellRange(const WindowTriangle& t,
                                                                double margin) const {
        const auto span = [this, margin](double low, double high, double origin,
                                         int size) -> std::array<int, 2> {
            const double first = std::ceil(low - margin - origin - 0.5);
            const double last = std::floor(high + margin - origin - 0.5);
            if (first > last || last < 0 || first >= size) return {1, 0};
            return {static_cast<int>(std::max(first, 0.0)) / cellSize_,
                    static_cast<int>(std::min(last, size - 1.0)) / cellSize_};
        };
        const auto [xLow, xHigh] = std::minmax({t.corners[0]->x, t.corners[1]->x, t.corners[2]->x});
        const auto [yLow, yHigh] = std::minmax({t.corners[0]->y, t.corners[1]->y, t.corners[2]->y});
        std::array<int, 2> columns = span(xLow, xHigh, left_, width_),
                           rows = span(yLow, yHigh, bottom_, height_);
        if (columns[0] > columns[1] || rows[0] > rows[1]) columns = rows = {1, 0};
        return {columns, rows};
    }

    std::size_t index(int column, int row) const { return static_cast<std::size_t>(row * columns_ + column); }

    double left_, bottom_;
    int width_, height_, cellSize_;
    double half_;  // from a cell's centre to its outermost pixel centres
    int columns_, rows_;
    std::vector<double> cover_;
};

std::vector<WindowCorner> projectCorners(const std::vector<Vec3>& positions,
                                         const WindowProjection& projection) {
    const std::array<int, 4>& viewport = projection.viewport();
    std::vector<WindowCorner> corners(positions.size());
    for (std::size_t v = 0; v < positions.size(); ++v) {
        WindowPoint window;
        if (!projection.projectInFront(positions[v], window)) continue;
        corners[v] = {window.x, window.y, window.z,
                      window.z >= 0 && window.z <= 1 && window.x >= viewport[0] - kFarOff &&
                          window.x <= viewport[0] + viewport[2] + kFarOff &&
                          window.y >= viewport[1] - kFarOff &&
                          window.y <= viewport[1] + viewport[3] + kFarOff};
    }
    return corners;
}

// Calls `visit(index, triangle)` for each triangle of share `part` of `parts` that drawScene
// draws; the triangle is null when one of its corners is not drawable.
template <typename Visit>
void forEachTriangle(const Geoset& geoset, const std::vector<WindowCorner>& corners, unsigned part,
                     unsigned parts, Visit visit) {
    const std::size_t n = geoset.vertexCount();
    const std::size_t count = geoset.triangleCount();
    for (std::size_t t = count * part / parts; t < count * (part + 1) / parts; ++t) {
        const std::uint32_t* c = &geoset.corners[3 * t];
        if (c[0] >= n || c[1] >= n || c[2] >= n) continue;
        if (corners[c[0]].drawable && corners[c[1]].drawable && corners[c[2]].drawable) {
            const WindowTriangle triangle(corners[c[0]], corners[c[1]], corners[c[2]]);
            visit(t, &triangle);
        } else {
            visit(t, nullptr);
        }
    }
}

// Runs work(part, parts) for each part on its own thread, one part per core.
template <typename Work>
void inParallel(Work work) {
    const unsigned parts = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned part = 1; part < parts; ++part) threads.emplace_back(work, part, parts);
    work(0u, parts);
    for (std::thread& thread : threads) thread.join();
}

}  // namespace

std::size_t removeHiddenTriangles(Model& model, const Pose& pose, const Selection& selection,
                                  const WindowProjection& projection) {
    std::vector<std::size_t> shown, opaque;
    for (std::size_t g = 0; g < model.Geosets.size(); ++g) {
        if (!selection.isShown(g)) continue;
        shown.push_back(g);
        const std::uint32_t material = model.Geosets[g].MaterialID;
        if (material >= model.Materials.size() || model.Materials[material].Layers.empty()) continue;
        for (const Layer& layer : model.Materials[material].Layers)
            if (layerBlend(model, layer) != LayerBlend::None) return 0;
        opaque.push_back(g);
    }

    std::vector<std::vector<WindowCorner>> corners(model.Geosets.size());
    for (std::size_t g : shown)
        corners[g] = projectCorners(Scene::drawnPositions(model, pose, g), projection);

    // Each thread records the occluders of its share of every geoset in a grid of its own.
    std::mutex merging;
    CoverGrid grid(projection.viewport());
    inParallel([&](unsigned part, unsigned parts) {
        CoverGrid own(projection.viewport());
        for (std::size_t g : opaque)
            forEachTriangle(model.Geosets[g], corners[g], part, parts,
                            [&own](std::size_t, const WindowTriangle* t) {
                                if (t != nullptr) own.addOccluder(*t);
                            });
        const std::lock_guard lock(merging);
        grid.merge(own);
    });

    std::vector<std::vector<std::uint8_t>> keep(model.Geosets.size());
    for (std::size_t g : shown) keep[g].assign(model.Geosets[g].triangleCount(), 0);
    inParallel([&](unsigned part, unsigned parts) {
        for (std::size_t g : shown)
            forEachTriangle(
                model.Geosets[g], corners[g], part, parts, [&](std::size_t index, const WindowTriangle* t) {
                    keep[g][index] =
                        t == nullptr || (t->facing != WindowTriangle::Facing::Back && !grid.hidden(*t));
                });
    });

    std::size_t removed = 0;
    for (std::size_t g : shown) {
        std::vector<std::uint32_t>& list = model.Geosets[g].corners;
        std::size_t kept = 0;
        for (std::size_t t = 0; t < keep[g].size(); ++t)
            if (keep[g][t] != 0) {
                std::copy_n(list.begin() + static_cast<std::ptrdiff_t>(3 * t), 3,
                            list.begin() + static_cast<std::ptrdiff_t>(3 * kept));
                ++kept;
            }
        removed += list.size() / 3 - kept;
        list.resize(3 * kept);
    }
    return removed;
}

}  // namespace tess
