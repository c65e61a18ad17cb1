#include "editor/primitives.h"

#include <algorithm>

#include "anim/node_order.h"
#include "editor/primitive_generators.h"
#include "editor/vertex_arrays.h"

namespace tess {
namespace {

constexpr float kUnbounded = 1e37f;
constexpr int kDialogOk = 1;

void addPosition(PrimitiveParameters& p) {
    p.addField("X", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Y", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
    p.addField("Z", "0", PrimitiveParameters::Decimal, -kUnbounded, kUnbounded);
}

void addLength(PrimitiveParameters& p, const char* label, const char* text) {
    p.addField(label, text, PrimitiveParameters::Decimal, 0, kUnbounded);
}

void addCount(PrimitiveParameters& p, const char* label, const char* text, float minimum, float maximum) {
    p.addField(label, text, PrimitiveParameters::Whole, minimum, maximum);
}

// Fields are read clamped to their limits, whatever the dialog left in them, so every value
// fits a float and no length is negative.
float decimal(const PrimitiveParameters& p, std::size_t field) {
    return static_cast<float>(std::clamp<double>(p.readDecimal(field), p.minima[field], p.maxima[field]));
}

std::int32_t whole(const PrimitiveParameters& p, std::size_t field) {
    return std::clamp(p.readWhole(field), truncateToInt(p.minima[field]), truncateToInt(p.maxima[field]));
}

// Whether the dialog left the field list as it was filled (every array one entry per field).
bool hasFields(const PrimitiveParameters& p, std::size_t fields) {
    return p.labels.size() == fields && p.texts.size() == fields && p.kinds.size() == fields &&
           p.minima.size() == fields && p.maxima.size() == fields;
}

Geoset generate(PrimitiveKind kind, const PrimitiveParameters& p) {
    const float x = decimal(p, 0), y = decimal(p, 1), z = decimal(p, 2);
    switch (kind) {
        case PrimitiveKind::Plane:
            return generatePlane(x, y, z, decimal(p, 3), decimal(p, 4), whole(p, 5), whole(p, 6));
        case PrimitiveKind::Box:
            return generateBox(x, y, z, decimal(p, 3), decimal(p, 4), decimal(p, 5), whole(p, 6), whole(p, 7),
                               whole(p, 8));
        case PrimitiveKind::Geosphere:
            return generateGeosphere(x, y, z, decimal(p, 3), whole(p, 4));
        case PrimitiveKind::Cylinder:  // fields: Height, Radius, ...; arguments: Radius, Height
            return generateCylinder(x, y, z, decimal(p, 4), decimal(p, 3), whole(p, 6), whole(p, 5),
                                    p.readCheckBox(7));
        case PrimitiveKind::Tube:  // fields: Height, Inner, Outer, ...; arguments: Inner, Outer, Height
            return generateTube(x, y, z, decimal(p, 4), decimal(p, 5), decimal(p, 3), whole(p, 7),
                                whole(p, 6));
        case PrimitiveKind::Sphere:  // the counts are read as decimals and truncated
            return generateSphere(x, y, z, decimal(p, 3), truncateToInt(decimal(p, 5)),
                                  truncateToInt(decimal(p, 4)));
    }
    return {};
}

void ensureMaterialZero(Model& model) {
    if (!model.Materials.empty()) return;
    if (model.Textures.empty()) model.Textures.push_back(defaultTexture());
    model.Materials.push_back(defaultMaterial());
}

// The bone index the new geoset's matrix group names; adds the start document's bone to a
// model without bones.
std::uint32_t primitiveBone(Document& document, AppState& state) {
    Model& model = document.model;
    for (std::size_t i = 0; i < model.Bones.size(); ++i)
        if (model.Bones[i].node.ObjectId == 0) return static_cast<std::uint32_t>(i);
    if (!model.Bones.empty()) return 0;

    model.Bones.push_back(defaultRootBone());
    if (model.PivotPoints.empty()) model.PivotPoints.push_back({0, 0, 0});
    computeNodeOrder(model, document.pose);
    state.view.allNodes.assign(1, 0);
    state.view.selectedNode = 0;
    return 0;
}

}  // namespace

void fillPrimitiveParameters(PrimitiveKind kind, PrimitiveParameters& p) {
    p.clear();
    switch (kind) {
        case PrimitiveKind::Plane:
            p.setTitle("Plane creation");
            addPosition(p);
            addLength(p, "Width", "100");
            addLength(p, "Length", "100");
            addCount(p, "Width Segments", "1", 1, 40);
            addCount(p, "Length Segments", "1", 1, 40);
            break;
        case PrimitiveKind::Box:
            p.setTitle("Box creation");
            addPosition(p);
            addLength(p, "Width", "100");
            addLength(p, "Length", "100");
            addLength(p, "Height", "100");
            addCount(p, "Width Segments", "1", 1, 20);
            addCount(p, "Length Segments", "1", 1, 20);
            addCount(p, "Height Segments", "1", 1, 20);
            break;
        case PrimitiveKind::Geosphere:
            p.setTitle("Geosphere creation");
            addPosition(p);
            addLength(p, "Radius", "30");
            addCount(p, "Subdivisions", "1", 0, 4);
            break;
        case PrimitiveKind::Cylinder:
            p.setTitle("Cylinder creation");
            addPosition(p);
            addLength(p, "Height", "30");
            addLength(p, "Radius", "30");
            addCount(p, "Height Segments", "1", 1, 15);
            addCount(p, "Radial Segments", "6", 3, 32);
            p.addField("Capped", "Y", PrimitiveParameters::CheckBox, -kUnbounded, kUnbounded);
            break;
        case PrimitiveKind::Tube:
            p.setTitle("Tube creation");
            addPosition(p);
            addLength(p, "Height", "30");
            addLength(p, "Inner radius", "30");
            addLength(p, "Outer radius", "60");
            addCount(p, "Height Segments", "1", 1, 15);
            addCount(p, "Radial Segments", "6", 3, 32);
            break;
        case PrimitiveKind::Sphere:
            p.setTitle("Sphere creation");
            addPosition(p);
            addLength(p, "Radius", "30");
            addCount(p, "Height Segments", "4", 2, 15);
            addCount(p, "Radial Segments", "6", 3, 32);
            break;
    }
}

bool createPrimitive(PrimitiveKind kind, Document& document, AppState& state, Host& host) {
    PrimitiveParameters parameters;
    fillPrimitiveParameters(kind, parameters);
    const std::size_t fields = parameters.count();
    if (host.runPrimitiveDialog(parameters) != kDialogOk || !hasFields(parameters, fields)) return false;

    fitDocument(document);
    ensureMaterialZero(document.model);
    Geoset geoset = generate(kind, parameters);
    geoset.MaterialID = 0;
    geoset.matrixGroups.push_back({primitiveBone(document, state)});
    computeGeosetBounds(geoset);
    document.model.Geosets.push_back(std::move(geoset));
    fitDocument(document);
    GeosetSelection& marks = document.selection.geosets.back();
    std::fill(marks.triangles.begin(), marks.triangles.end(), 1);
    if (kind == PrimitiveKind::Plane) std::fill(marks.vertices.begin(), marks.vertices.end(), 1);
    resetPose(document);
    return true;
}

}  // namespace tess
