// Vertex normals: the tables of small grids, ramps, level ground and a reference that sums
// every mesh triangle's area-weighted normal into its three corners.
#include "map_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

void expectNormal(const Point3& n, double x, double y, double z, const std::string& where) {
    EXPECT_NEAR(n.x, x, 1e-6) << where;
    EXPECT_NEAR(n.y, y, 1e-6) << where;
    EXPECT_NEAR(n.z, z, 1e-6) << where;
}

TEST(Normals, LevelGroundPointsStraightUpEverywhere) {
    W3eDocument doc = levelDocument(5, 4);
    for (W3eTilePoint& p : doc.tilePoints) p.groundHeight = rawGroundHeight(-300);
    LoadResult r = loadDocument(doc);
    for (int c = 0; c < 5; ++c)
        for (int row = 0; row < 4; ++row)
            expectNormal(r.map->normals[c][row], 0, 1, 0,
                         std::to_string(c) + "," + std::to_string(row));
}

TEST(Normals, RampsAlongColumnsAndRows) {
    W3eDocument columns = levelDocument(5, 4), rows = levelDocument(5, 4);
    for (int c = 0; c < 5; ++c) {
        for (int r = 0; r < 4; ++r) {
            columns.at(c, r).groundHeight = rawGroundHeight(128 * c); // y = x
            rows.at(c, r).groundHeight = rawGroundHeight(128 * r);    // y = -z
        }
    }
    LoadResult byColumn = loadDocument(columns), byRow = loadDocument(rows);
    const double h = std::sqrt(0.5);
    for (int c = 0; c < 5; ++c) {
        for (int r = 0; r < 4; ++r) {
            const std::string at = std::to_string(c) + "," + std::to_string(r);
            expectNormal(byColumn.map->normals[c][r], -h, h, 0, at);
            expectNormal(byRow.map->normals[c][r], 0, h, h, at);
        }
    }
}

TEST(Normals, ThreeByThreeWithARaisedCentre) {
    W3eDocument doc = levelDocument(3, 3);
    doc.at(1, 1).groundHeight = rawGroundHeight(128);
    LoadResult r = loadDocument(doc);
    const double table[3][3][3] = {
        // [row][column] = normal
        {{0, 1, 0}, {-0.267261, 0.801784, 0.534522}, {0.408248, 0.816497, 0.408248}},
        {{-0.534522, 0.801784, 0.267261}, {0, 1, 0}, {0.534522, 0.801784, -0.267261}},
        {{-0.408248, 0.816497, -0.408248}, {0.267261, 0.801784, -0.534522}, {0, 1, 0}},
    };
    for (int row = 0; row < 3; ++row)
        for (int c = 0; c < 3; ++c)
            expectNormal(r.map->normals[c][row], table[row][c][0], table[row][c][1],
                         table[row][c][2], std::to_string(c) + "," + std::to_string(row));
}

TEST(Normals, TwoByTwoWithOneCornerRaised) {
    W3eDocument doc = levelDocument(2, 2);
    doc.at(1, 1).groundHeight = rawGroundHeight(128);
    LoadResult r = loadDocument(doc);
    expectNormal(r.map->normals[0][0], 0, 1, 0, "0,0");
    expectNormal(r.map->normals[1][0], -0.408248, 0.816497, 0.408248, "1,0");
    expectNormal(r.map->normals[0][1], -0.408248, 0.816497, 0.408248, "0,1");
    expectNormal(r.map->normals[1][1], -0.57735, 0.57735, 0.57735, "1,1");
}

TEST(Normals, SingleRowsAndColumnsPointUp) {
    for (const auto& size : {std::pair{1, 1}, std::pair{1, 6}, std::pair{6, 1}}) {
        W3eDocument doc = levelDocument(size.first, size.second);
        for (std::size_t i = 0; i < doc.tilePoints.size(); ++i)
            doc.tilePoints[i].groundHeight = rawGroundHeight(static_cast<double>(i * 37 % 11) * 64);
        LoadResult r = loadDocument(doc);
        for (int c = 0; c < size.first; ++c)
            for (int row = 0; row < size.second; ++row)
                expectNormal(r.map->normals[c][row], 0, 1, 0, "single");
    }
}

TEST(Normals, MatchTheAreaWeightedSumOfTheMeshTriangles) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> height(-2000, 2000);
    const int width = 9, rows = 6; // not square, so a swapped index shows
    W3eDocument doc = levelDocument(width, rows);
    for (W3eTilePoint& p : doc.tilePoints) p.groundHeight = rawGroundHeight(height(random));
    LoadResult r = loadDocument(doc);

    // Each cell is split along (c, r + 1)-(c + 1, r); add each triangle's upward normal,
    // twice its area long, to its three corners.
    std::vector<double> sum(static_cast<std::size_t>(width * rows) * 3, 0.0);
    auto position = [&](int c, int row) { return r.map->vertices[c][row].position; };
    auto addTriangle = [&](std::pair<int, int> a, std::pair<int, int> b, std::pair<int, int> c) {
        const Point3 pa = position(a.first, a.second), pb = position(b.first, b.second),
                     pc = position(c.first, c.second);
        const double u[3] = {pb.x - pa.x, pb.y - pa.y, pb.z - pa.z};
        const double v[3] = {pc.x - pa.x, pc.y - pa.y, pc.z - pa.z};
        double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                       u[0] * v[1] - u[1] * v[0]};
        const double sign = n[1] < 0 ? -1.0 : 1.0;
        for (auto corner : {a, b, c})
            for (int k = 0; k < 3; ++k)
                sum[(corner.second * width + corner.first) * 3 + k] += sign * n[k];
    };
    for (int row = 0; row + 1 < rows; ++row) {
        for (int c = 0; c + 1 < width; ++c) {
            addTriangle({c, row}, {c, row + 1}, {c + 1, row});
            addTriangle({c + 1, row}, {c, row + 1}, {c + 1, row + 1});
        }
    }
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < width; ++c) {
            const double* s = &sum[(row * width + c) * 3];
            const double length = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
            const Point3 n = r.map->normals[c][row];
            const std::string at = std::to_string(c) + "," + std::to_string(row);
            EXPECT_NEAR(n.x, s[0] / length, 2e-6) << at;
            EXPECT_NEAR(n.y, s[1] / length, 2e-6) << at;
            EXPECT_NEAR(n.z, s[2] / length, 2e-6) << at;
        }
    }
}

TEST(Point3, CrossProductIsRightHandedAndScalingKeepsDirection) {
    const Point3 x{1, 0, 0}, y{0, 1, 0};
    const Point3 z = x.cross(y);
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_EQ(z.z, 1.0f);
    const Point3 s = Point3{3, 0, -4}.scaledTo(10.0f);
    EXPECT_FLOAT_EQ(s.x, 6.0f);
    EXPECT_FLOAT_EQ(s.z, -8.0f);
    const Point3 zero = Point3{}.scaledTo(1.0f);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
}

} // namespace
