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

// Any vertex of a grid at least 2 by 2, by the table of its place.
Point3 borderNormal(const TerrainMap& map, int c, int r, int width, int height) {
    const Point3 centre = map.vertices[c][r].position;
    Point3 edges[6];
    for (int k = 0; k < 6; ++k) {
        const int nc = c + neighbourDc[k], nr = r + neighbourDr[k];
        if (nc >= 0 && nc < width && nr >= 0 && nr < height)
            edges[k] = map.vertices[nc][nr].position - centre;
    }
    const int* order = triangleOrder[placeOf(r, height)][placeOf(c, width)];
    Point3 sum = edges[order[0]].cross(edges[(order[0] + 1) % 6]);
    for (int i = 1; order[i] >= 0; ++i)
        sum = sum + edges[order[i]].cross(edges[(order[i] + 1) % 6]);
    return sum.scaledTo(1.0f);
}

// An inner vertex: all six triangles, summed T0 to T5. Column c - 1, c and c + 1 are
// `left`, `mid` and `right`.
Point3 innerNormal(const TerrainVertex* left, const TerrainVertex* mid, const TerrainVertex* right,
                   int r) {
    const Point3 centre = mid[r].position;
    const Point3 e0 = mid[r - 1].position - centre, e1 = right[r - 1].position - centre,
                 e2 = right[r].position - centre, e3 = mid[r + 1].position - centre,
                 e4 = left[r + 1].position - centre, e5 = left[r].position - centre;
    const Point3 sum =
        e0.cross(e1) + e1.cross(e2) + e2.cross(e3) + e3.cross(e4) + e4.cross(e5) + e5.cross(e0);
    return sum.scaledTo(1.0f);
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

    // Column by column, the order the grid is stored in; the result does not depend on it.
    for (int c = 0; c < width; ++c) {
        Point3* out = normals[c].get();
        const bool innerColumn = c > 0 && c < width - 1;
        for (int r = 0; r < height; ++r) {
            if (innerColumn && r > 0 && r < height - 1) {
                const TerrainVertex* mid = vertices[c].get();
                const TerrainVertex* left = vertices[c - 1].get();
                const TerrainVertex* right = vertices[c + 1].get();
                for (; r < height - 1; ++r) out[r] = innerNormal(left, mid, right, r);
            }
            out[r] = borderNormal(*this, c, r, width, height);
        }
    }
}
