#include "editor/history.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

#include "editor/document.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

// Bit-for-bit equality of arrays of plain values: a change between 0 and -0, or to or from
// a NaN, is a change of the file's bytes, which == on floats would miss or invent.
template <class T>
bool sameBits(const std::vector<T>& a, const std::vector<T>& b) {
    static_assert(std::is_trivially_copyable_v<T>);
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

template <class T>
bool sameBits(const T& a, const T& b) {
    static_assert(std::is_trivially_copyable_v<T>);
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

static_assert(sizeof(Vec3) == 3 * sizeof(float) && sizeof(Vec2) == 2 * sizeof(float));
static_assert(sizeof(Extent) == 7 * sizeof(float));

// Sizes first (cheap, and what topology edits change), then the arrays.
bool sameGeoset(const Geoset& a, const Geoset& b) {
    if (a.positions.size() != b.positions.size() || a.corners.size() != b.corners.size() ||
        a.uvSets.size() != b.uvSets.size() || a.matrixGroups.size() != b.matrixGroups.size() ||
        a.extents.size() != b.extents.size())
        return false;
    if (!sameBits(a.MaterialID, b.MaterialID) || !sameBits(a.SelectionGroup, b.SelectionGroup) ||
        !sameBits(a.selectionFlags, b.selectionFlags) || !sameBits(a.BoundsRadius, b.BoundsRadius) ||
        !sameBits(a.MinimumExtent, b.MinimumExtent) || !sameBits(a.MaximumExtent, b.MaximumExtent))
        return false;
    if (!sameBits(a.positions, b.positions) || !sameBits(a.corners, b.corners) ||
        !sameBits(a.normals, b.normals) || !sameBits(a.vertexGroups, b.vertexGroups) ||
        !sameBits(a.extents, b.extents))
        return false;
    for (std::size_t s = 0; s < a.uvSets.size(); ++s)
        if (!sameBits(a.uvSets[s], b.uvSets[s])) return false;
    for (std::size_t m = 0; m < a.matrixGroups.size(); ++m)
        if (!sameBits(a.matrixGroups[m], b.matrixGroups[m])) return false;
    return true;
}

template <class T>
std::size_t arrayBytes(const std::vector<T>& values) {
    return values.size() * sizeof(T);
}

std::size_t geosetBytes(const Geoset* g) {
    if (g == nullptr) return 0;
    std::size_t bytes = sizeof(Geoset) + arrayBytes(g->positions) + arrayBytes(g->normals) +
                        arrayBytes(g->vertexGroups) + arrayBytes(g->corners) + arrayBytes(g->extents);
    for (const std::vector<Vec2>& set : g->uvSets) bytes += sizeof set + arrayBytes(set);
    for (const std::vector<std::uint32_t>& group : g->matrixGroups) bytes += sizeof group + arrayBytes(group);
    return bytes;
}

template <class V>
std::size_t trackBytes(const Track<V>& track) {
    return arrayBytes(track.keys);
}

std::size_t nodeBytes(const Node& node) {
    return node.Name.size() + trackBytes(node.Translation) + trackBytes(node.Rotation) +
           trackBytes(node.Scaling) + trackBytes(node.Visibility);
}

template <class T>
std::size_t objectBytes(const std::vector<T>& objects) {
    std::size_t bytes = arrayBytes(objects);
    if constexpr (requires(const T& t) { t.node; })
        for (const T& object : objects) bytes += nodeBytes(object.node);
    return bytes;
}

// The rest of a model: its arrays of objects and the keys of their nodes, which is where
// edits of the rest put their data. Other tracks are few and small.
std::size_t restBytes(const Model* m) {
    if (m == nullptr) return 0;
    std::size_t bytes =
        sizeof(Model) + objectBytes(m->Textures) + objectBytes(m->Materials) + objectBytes(m->Bones) +
        objectBytes(m->PivotPoints) + objectBytes(m->Sequences) + objectBytes(m->TextureAnims) +
        objectBytes(m->GeosetAnims) + objectBytes(m->Lights) + objectBytes(m->Helpers) +
        objectBytes(m->EventObjects) + objectBytes(m->CollisionShapes) + objectBytes(m->Attachments) +
        objectBytes(m->ParticleEmitters) + objectBytes(m->ParticleEmitters2) +
        objectBytes(m->RibbonEmitters) + objectBytes(m->Cameras) + arrayBytes(m->GlobalSequences);
    for (const Material& material : m->Materials) bytes += arrayBytes(material.Layers);
    return bytes;
}

std::size_t selectionBytes(const Selection& s) {
    std::size_t bytes = sizeof s + arrayBytes(s.shown) + arrayBytes(s.geosets);
    for (const GeosetSelection& g : s.geosets) bytes += g.vertices.size() + g.uvs.size() + g.triangles.size();
    return bytes;
}

// Holds a model's geosets aside, so the rest can be compared, copied or replaced without
// touching them, and always puts them back.
class GeosetsAside {
public:
    explicit GeosetsAside(Model& model) : model_(model), geosets_(std::move(model.Geosets)) {
        model.Geosets.clear();
    }
    ~GeosetsAside() { model_.Geosets = std::move(geosets_); }
    GeosetsAside(const GeosetsAside&) = delete;
    GeosetsAside& operator=(const GeosetsAside&) = delete;

private:
    Model& model_;
    std::vector<Geoset> geosets_;
};

}  // namespace

void History::reset(Document& document) {
    steps_.clear();
    cursor_ = 0;
    saved_ = 0;
    used_ = 0;
    geosets_.clear();
    for (const Geoset& g : document.model.Geosets) geosets_.push_back(std::make_shared<const Geoset>(g));
    const GeosetsAside aside(document.model);
    rest_ = std::make_shared<const Model>(document.model);
}

bool History::record(Document& now, std::string label, const Selection& selectionBefore) {
    const std::vector<Geoset>& geosets = now.model.Geosets;
    Step step;
    step.geosetCountBefore = geosets_.size();
    step.geosetCountAfter = geosets.size();
    for (std::size_t g = 0; g < std::max(geosets_.size(), geosets.size()); ++g) {
        std::shared_ptr<const Geoset> before = g < geosets_.size() ? geosets_[g] : nullptr;
        if (g < geosets.size() && before && sameGeoset(*before, geosets[g])) continue;
        std::shared_ptr<const Geoset> after =
            g < geosets.size() ? std::make_shared<const Geoset>(geosets[g]) : nullptr;
        step.geosets.push_back({g, std::move(before), std::move(after)});
    }
    {
        const GeosetsAside aside(now.model);
        if (!(now.model == *rest_)) {
            step.restBefore = rest_;
            step.restAfter = std::make_shared<const Model>(now.model);
        }
    }
    if (step.geosets.empty() && !step.restBefore) return false;

    while (canRedo()) dropNewest();
    step.label = std::move(label);
    step.selectionBefore = selectionBefore;
    step.selectionAfter = now.selection;
    step.bytes = step.label.size() + selectionBytes(step.selectionBefore) +
                 selectionBytes(step.selectionAfter) + restBytes(step.restBefore.get());
    for (const GeosetChange& change : step.geosets) step.bytes += geosetBytes(change.before.get());

    geosets_.resize(step.geosetCountAfter);
    for (const GeosetChange& change : step.geosets)
        if (change.after) geosets_[change.index] = change.after;
    if (step.restAfter) rest_ = step.restAfter;

    used_ += step.bytes;
    steps_.push_back(std::move(step));
    ++cursor_;
    trim();
    return true;
}

void History::apply(const Step& step, bool forward, Document& document) {
    std::vector<Geoset>& geosets = document.model.Geosets;
    const std::size_t count = forward ? step.geosetCountAfter : step.geosetCountBefore;
    geosets.resize(count);
    geosets_.resize(count);
    for (const GeosetChange& change : step.geosets) {
        const std::shared_ptr<const Geoset>& target = forward ? change.after : change.before;
        if (!target) continue;
        geosets[change.index] = *target;
        geosets_[change.index] = target;
    }
    const std::shared_ptr<const Model>& rest = forward ? step.restAfter : step.restBefore;
    if (rest) {
        const GeosetsAside aside(document.model);
        document.model = *rest;
        rest_ = rest;
    }
    document.selection = forward ? step.selectionAfter : step.selectionBefore;
    fitDocument(document);
}

bool History::undo(Document& document) {
    if (!canUndo()) return false;
    --cursor_;
    apply(steps_[cursor_], false, document);
    return true;
}

bool History::redo(Document& document) {
    if (!canRedo()) return false;
    apply(steps_[cursor_], true, document);
    ++cursor_;
    return true;
}

const std::string& History::undoLabel() const {
    static const std::string none;
    return canUndo() ? steps_[cursor_ - 1].label : none;
}

const std::string& History::redoLabel() const {
    static const std::string none;
    return canRedo() ? steps_[cursor_].label : none;
}

void History::setBudget(std::size_t bytes) {
    budget_ = bytes;
    trim();
}

void History::dropOldest() {
    used_ -= steps_.front().bytes;
    steps_.pop_front();
    --cursor_;
    saved_ = saved_ == 0 || saved_ == kUnreachable ? kUnreachable : saved_ - 1;
}

void History::dropNewest() {
    used_ -= steps_.back().bytes;
    steps_.pop_back();
    if (saved_ != kUnreachable && saved_ > steps_.size()) saved_ = kUnreachable;
}

void History::trim() {
    while (used_ > budget_ && canUndo()) dropOldest();
    while (used_ > budget_ && canRedo()) dropNewest();
}

}  // namespace tess
