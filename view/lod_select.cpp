#include "view/lod_select.h"

#include "view/block_culling.h"

#include <algorithm>
#include <cmath>

namespace {

// The distance from a point to an axis-aligned box (0 inside it), and to its farthest corner.
float distanceToBox(const Point3& p, const float low[3], const float high[3]) {
    const float at[3] = {p.x, p.y, p.z};
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double out = std::max(
            {static_cast<double>(low[k]) - at[k], 0.0, static_cast<double>(at[k]) - high[k]});
        sum += out * out;
    }
    return static_cast<float>(std::sqrt(sum));
}

float distanceToFarthestCorner(const Point3& p, const float low[3], const float high[3]) {
    const float at[3] = {p.x, p.y, p.z};
    double sum = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double far = std::max(std::fabs(static_cast<double>(low[k]) - at[k]),
                                    std::fabs(static_cast<double>(high[k]) - at[k]));
        sum += far * far;
    }
    return static_cast<float>(std::sqrt(sum));
}

// How many pixels a height error of one unit anywhere in the box can span on screen, for a
// camera at `eye`, per unit of pixelsPerUnit: a vertical offset at horizontal distance h and
// vertical distance v from the eye shows by h / (h^2 + v^2), the largest over the box's
// horizontal distances at its least vertical distance.
float errorScale(const Point3& eye, const float low[3], const float high[3]) {
    // Horizontal distances from the eye to the box's nearest and farthest points, and the
    // vertical gap between them (0 when the eye is within the box's heights).
    const double nearX =
        std::max({static_cast<double>(low[0]) - eye.x, 0.0, static_cast<double>(eye.x) - high[0]});
    const double nearZ =
        std::max({static_cast<double>(low[2]) - eye.z, 0.0, static_cast<double>(eye.z) - high[2]});
    const double farX = std::max(std::fabs(low[0] - eye.x), std::fabs(high[0] - eye.x));
    const double farZ = std::max(std::fabs(low[2] - eye.z), std::fabs(high[2] - eye.z));
    const double nearest = std::sqrt(nearX * nearX + nearZ * nearZ);
    const double farthest = std::sqrt(farX * farX + farZ * farZ);
    const double v =
        std::max({static_cast<double>(low[1]) - eye.y, 0.0, static_cast<double>(eye.y) - high[1]});
    // A height error shows by h / (h^2 + v^2) at horizontal distance h: rising up to h = v,
    // then falling.
    const auto shown = [&](double h) { return h / (h * h + v * v); };
    if (v == 0.0) return nearest > 0.0 ? static_cast<float>(1.0 / nearest) : 1e30f;
    if (nearest <= v && v <= farthest) return static_cast<float>(0.5 / v);
    return static_cast<float>(farthest < v ? shown(farthest) : shown(nearest));
}

// A draw costs about as much as this many triangles (measured on llvmpipe): four children at
// coarse levels may still cost more than their parent at a finer one.
constexpr int drawCost = 96;

// What a chunk would cost drawn whole, and at which level (-1: its full grid), for a largest
// error of `allowed` world units; -1 cost when it may not be drawn whole.
struct Option {
    int level = -1;
    int cost = -1;
};

// How far the farthest terrain in view can be (where the far plane will lie at most): the
// farthest corner of the chunks two levels under the root that may be in view.
float farthestInView(const LodMesh& mesh, const ViewFrustum& frustum, const Point3& eye) {
    float farthest = 1.0f;
    const LodChunk& root = mesh.chunks[static_cast<std::size_t>(mesh.root)];
    for (const int child : root.children) {
        if (child < 0) continue;
        const LodChunk& c = mesh.chunks[static_cast<std::size_t>(child)];
        for (const int grandchild : c.children) {
            const LodChunk& g =
                mesh.chunks[static_cast<std::size_t>(grandchild < 0 ? child : grandchild)];
            if (!boxCertainlyOutside(frustum, g.low, g.high))
                farthest = std::max(farthest, distanceToFarthestCorner(eye, g.low, g.high));
        }
    }
    if (farthest == 1.0f)
        farthest = std::max(1.0f, distanceToFarthestCorner(eye, root.low, root.high));
    return farthest;
}

// The coarsest level whose error is allowed.
Option optionFor(const LodChunk& chunk, float allowed, const LodMesh& mesh) {
    Option o;
    if (chunk.error <= allowed)
        o.cost =
            drawCost + mesh.patterns[static_cast<std::size_t>(chunk.pattern)].surfaceIndices / 3;
    for (std::size_t k = 0; k < chunk.levels.size(); ++k) {
        if (chunk.levels[k].error > allowed) break;
        o.level = static_cast<int>(k);
        o.cost = drawCost + chunk.levels[k].surface / 3;
    }
    return o;
}

} // namespace

float LodSelection::allowedError(const LodChunk& chunk) const {
    if (view.budget.planError >= 0.0f) return view.budget.planError;
    const float distance = distanceToBox(view.eye, chunk.low, chunk.high);
    const float pixels = view.budget.nearPixels + (view.budget.farPixels - view.budget.nearPixels) *
                                                      std::min(1.0f, distance / view.reach);
    const float scale = view.pixelsPerUnit * errorScale(view.eye, chunk.low, chunk.high);
    return scale > 0.0f ? pixels / scale : 1e30f;
}

// Whether the chunk is better drawn through its children, each drawn whole: fewer triangles by
// more than the extra draws cost.
bool LodSelection::childrenCheaper(const LodMesh& mesh, const LodChunk& chunk, int cost) const {
    int children = 0;
    for (const int child : chunk.children) {
        if (child < 0) continue;
        const LodChunk& c = mesh.chunks[static_cast<std::size_t>(child)];
        const Option o = optionFor(c, allowedError(c), mesh);
        if (o.cost < 0) return false;
        children += o.cost;
    }
    return children < cost;
}

void LodSelection::choose(const LodMesh& mesh, const ViewFrustum& frustum, const Point3& eye,
                          float pixelsPerUnit, int largestSide, bool fullDetail,
                          ErrorBudget budget) {
    drawn.clear();
    levels.clear();
    distances.clear();
    skirted.clear();
    pending.clear();
    ++choice;
    if (drawnIn.size() != mesh.chunks.size()) drawnIn.assign(mesh.chunks.size(), 0);
    if (levelIn.size() != mesh.chunks.size()) levelIn.assign(mesh.chunks.size(), -1.0f);
    visible = 0;
    nearest = farthest = 0.0f;
    if (mesh.root < 0) return;
    pending.push_back(mesh.root);
    view = {eye, pixelsPerUnit, budget, farthestInView(mesh, frustum, eye)};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(index)];
        if (boxCertainlyOutside(frustum, chunk.low, chunk.high)) continue;
        const bool leaf = chunk.step == 1;
        const bool whole =
            !chunk.exact && !fullDetail && std::max(chunk.quadsX, chunk.quadsZ) <= largestSide;
        const Option option = whole ? optionFor(chunk, allowedError(chunk), mesh) : Option{};
        if (!leaf && (option.cost < 0 || childrenCheaper(mesh, chunk, option.cost))) {
            for (const int child : chunk.children)
                if (child >= 0) pending.push_back(child);
            continue;
        }
        take(index, chunk, option.level);
    }
    nearestFirst();
    // A side needs its skirt unless the chunk beside it is drawn at the same level (its full
    // grid, or split to the same threshold): their common edge then matches.
    for (std::size_t d = 0; d < drawn.size(); ++d) {
        const LodChunk& chunk = mesh.chunks[static_cast<std::size_t>(drawn[d])];
        const float own = levelIn[static_cast<std::size_t>(drawn[d])];
        int sides = 0;
        for (int s = 0; s < chunkSides; ++s) {
            const int n = chunk.neighbours[s];
            if (n >= 0 && (drawnIn[static_cast<std::size_t>(n)] != choice ||
                           levelIn[static_cast<std::size_t>(n)] != own))
                sides |= 1 << s;
        }
        skirted.push_back(static_cast<char>(sides));
    }
}

// Near chunks first, so that the depth test spares the fragments of what they hide.
void LodSelection::nearestFirst() {
    order.clear();
    for (std::size_t d = 0; d < drawn.size(); ++d)
        order.push_back({distances[d], drawn[d], levels[d]});
    std::sort(order.begin(), order.end(),
              [](const Chosen& a, const Chosen& b) { return a.distance < b.distance; });
    for (std::size_t d = 0; d < order.size(); ++d) {
        drawn[d] = order[d].index;
        levels[d] = order[d].level;
    }
}

void LodSelection::take(int index, const LodChunk& chunk, int level) {
    const float distance = distanceToBox(view.eye, chunk.low, chunk.high);
    distances.push_back(distance);
    nearest = visible == 0 ? distance : std::min(nearest, distance);
    farthest = std::max(farthest, distanceToFarthestCorner(view.eye, chunk.low, chunk.high));
    ++visible;
    drawn.push_back(index);
    levels.push_back(level);
    drawnIn[static_cast<std::size_t>(index)] = choice;
    levelIn[static_cast<std::size_t>(index)] =
        level < 0 ? -1.0f : chunk.levels[static_cast<std::size_t>(level)].threshold;
}
