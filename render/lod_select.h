// Choosing the chunks a frame draws: from the root down, a chunk wholly outside the view is
// left out; one whose error, seen from the eye, spans at most a pixel is drawn; any other
// gives way to its children. Also gives how near and how far the drawn chunks are, for the
// depth range.
// Needs: the level-of-detail mesh, the view frustum; no OpenGL.
#pragma once

#include "render/lod_mesh.h"
#include "render/view_frustum.h"

struct LodSelection {
    std::vector<int> drawn; // chunks, in the order they were chosen
    // Per drawn chunk: whether it needs its skirts, having a neighbour that is not drawn at
    // its own step (a coarser or finer one meets it there, or none is drawn).
    std::vector<char> skirted;
    int visible = 0;
    float nearest = 0.0f;     // the least distance from the eye to a drawn chunk's box
    float farthest = 0.0f;    // the greatest distance from the eye to a point of one
    std::vector<int> pending; // the walk's stack, kept so that a frame allocates nothing
    std::vector<int> drawnIn; // per chunk: the last choice that drew it
    int choice = 0;

    // pixelsPerUnit: pixels one world unit spans at distance 1 (the viewport's height over
    // 2 tan(fovy / 2)). Chunks wider than `largestSide` quads are never drawn whole (their
    // textures would not hold them); fullDetail draws the leaves only.
    void choose(const LodMesh& mesh, const ViewFrustum& frustum, const Point3& eye,
                float pixelsPerUnit, int largestSide, bool fullDetail = false);
};
