// Choosing the chunks a frame draws: from the root down, a chunk wholly outside the view is
// left out; one whose error, seen from the eye, spans at most the pixels its distance allows
// is drawn; any other gives way to its children. Also gives how near and how far the drawn chunks
// are, for the depth range. Needs: the level-of-detail mesh, the view frustum; no OpenGL.
#pragma once

#include "view/lod_mesh.h"
#include "view/view_frustum.h"

// How many pixels a chunk's height error may span on screen: `nearPixels` at the eye, growing
// with the distance to `farPixels` at the map's farthest point (where the far plane can lie at
// most). One pixel everywhere unless the shading survives a coarser mesh (baked light), where
// the error only moves a silhouette, which is harder to see the farther it is.
struct ErrorBudget {
    float nearPixels = 1.0f, farPixels = 1.0f;
    // For a plan (seen in parallel straight down, where heights move nothing on screen): the
    // largest height error allowed anywhere, in world units; below 0 for other cameras.
    float planError = -1.0f;
};

struct LodSelection {
    std::vector<int> drawn;  // chunks, the nearest to the eye first
    std::vector<int> levels; // per drawn chunk: the level it is drawn at, -1 for its full grid
    // Per drawn chunk: the sides (bits 0 to 3, in the order of its neighbours) that need their
    // skirts, where the chunk beside it is not drawn at its own step and level.
    std::vector<char> skirted;
    int visible = 0;
    float nearest = 0.0f;       // the least distance from the eye to a drawn chunk's box
    float farthest = 0.0f;      // the greatest distance from the eye to a point of one
    std::vector<int> pending;   // the walk's stack, kept so that a frame allocates nothing
    std::vector<int> drawnIn;   // per chunk: the last choice that drew it
    std::vector<float> levelIn; // per chunk: its level's threshold in that choice, -1 full grid
    int choice = 0;

    // pixelsPerUnit: pixels one world unit spans at distance 1 (the viewport's height over
    // 2 tan(fovy / 2)). Chunks wider than `largestSide` quads are never drawn whole (their
    // textures would not hold them); fullDetail draws the leaves only.
    void choose(const LodMesh& mesh, const ViewFrustum& frustum, const Point3& eye,
                float pixelsPerUnit, int largestSide, bool fullDetail = false,
                ErrorBudget budget = {});

  private:
    struct Chosen {
        float distance;
        int index, level;
    };
    std::vector<float> distances; // per drawn chunk, from the eye
    std::vector<Chosen> order;    // kept, as the other lists, so that a frame allocates nothing
    void nearestFirst();
    struct View { // the camera of the choice under way
        Point3 eye;
        float pixelsPerUnit = 1.0f;
        ErrorBudget budget;
        float reach = 1.0f; // the distance to the map's farthest point
    } view;
    // The largest height error (world units) the chunk may have where it is.
    float allowedError(const LodChunk& chunk) const;
    bool childrenCheaper(const LodMesh& mesh, const LodChunk& chunk, int cost) const;
    void take(int index, const LodChunk& chunk, int level);
};
