// Vertex normals: for each vertex, the sum of the cross products of the mesh triangles that
// meet at it (so each weighs in by its area), scaled to length 1.
//
// Each grid cell is split along the diagonal from (c, r + 1) to (c + 1, r), so a vertex has
// up to six neighbours, numbered in rotational order k = 0..5. Triangle k joins the vertex
// with neighbours k and k + 1 (mod 6). Which triangles exist, and the order in which they
// are summed, depends on whether the vertex lies on the first, an inner or the last row and
// column; the order is fixed so the float sums come out the same every time.
#include "terrain/terrain_map.h"

namespace {

// Column and row offsets of neighbour k.
constexpr int neighbourDc[6] = {0, 1, 1, 0, -1, -1};
constexpr int neighbourDr[6] = {-1, -1, 0, 1, 1, 0};

enum Place { firstPlace = 0, innerPlace = 1, lastPlace = 2 };

// Triangles summed for a vertex, indexed [row place][column place], -1 ending the list.
constexpr int triangleOrder[3][3][7] = {
    {{2, -1}, {4, 3, 2, -1}, {3, 4, -1}},
    {{0, 1, 2, -1}, {0, 1, 2, 3, 4, 5, -1}, {3, 4, 5, -1}},
    {{0, 1, -1}, {5, 0, 1, -1}, {5, -1}},
};

Place placeOf(int index, int count) {
    if (index == 0) return firstPlace;
    return index == count - 1 ? lastPlace : innerPlace;
}

} // namespace

void TerrainMap::computeNormals(const EnvironmentHeader& gridSize) {
    const int width = gridSize.mapWidth;
    const int height = gridSize.mapHeight;
    if (width <= 0 || height <= 0) return;

    // A single row or column carries no triangle, so its normals have no direction of
    // their own: they point straight up, like those of level ground.
    if (width == 1 || height == 1) {
        for (int c = 0; c < width; ++c)
            for (int r = 0; r < height; ++r) normals[c][r].set(0.0f, 1.0f, 0.0f);
        return;
    }

    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const Point3 centre = vertices[c][r].position;
            const int* order = triangleOrder[placeOf(r, height)][placeOf(c, width)];
            auto edge = [&](int k) {
                return vertices[c + neighbourDc[k]][r + neighbourDr[k]].position - centre;
            };
            auto triangle = [&](int k) { return edge(k).cross(edge((k + 1) % 6)); };
            Point3 sum = triangle(order[0]);
            for (int i = 1; order[i] >= 0; ++i) sum = sum + triangle(order[i]);
            normals[c][r] = sum.scaledTo(1.0f);
        }
    }
}
