#include "view/changed_regions.h"

#include <gtest/gtest.h>

namespace {

// Changes over a grid of `columns` x `rows`, nothing changed yet.
MapChanges grid(int columns, int rows) {
    MapChanges c;
    c.aligned = true;
    c.columns = columns;
    c.rows = rows;
    c.rise.assign(static_cast<std::size_t>(columns) * rows, 0.0f);
    c.marks.assign(c.rise.size(), 0);
    return c;
}

void raise(MapChanges& c, int column, int row, float by) {
    c.rise[c.index(column, row)] = by;
    ++c.changed;
}

} // namespace

// Points touching at a corner are one region; points a point apart are two; points only the
// newer map has are no change; equals come in the order of their first row, then column.
TEST(ChangedRegions, JoinAtSidesAndCornersLargestFirst) {
    MapChanges c = grid(10, 8);
    raise(c, 1, 1, 5.0f);
    raise(c, 2, 2, -3.0f); // a corner of (1, 1)
    raise(c, 3, 2, 2.0f);  // a side of (2, 2)
    raise(c, 8, 0, 1.0f);  // alone, first row
    raise(c, 0, 6, 1.0f);  // alone, a later row
    c.marks[c.index(5, 5)] = groundTileChanged | waterChanged;
    ++c.changed;
    c.marks[c.index(9, 7)] = onlyInNew;
    EnvironmentHeader header;
    header.xOffset = -512.0f;
    header.zOffset = 256.0f;
    const std::vector<ChangedRegion> regions = changedRegions(c, header);
    ASSERT_EQ(regions.size(), 4u);
    const ChangedRegion& big = regions[0];
    EXPECT_EQ(big.points, 3);
    EXPECT_EQ(big.column0, 1);
    EXPECT_EQ(big.row0, 1);
    EXPECT_EQ(big.column1, 3);
    EXPECT_EQ(big.row1, 2);
    EXPECT_EQ(big.x0, -512.0 + 128.0);
    EXPECT_EQ(big.z1, 256.0 + 256.0);
    EXPECT_EQ(big.described(),
              "3 points, columns 1-3, rows 1-2: raised 2 by up to 5.00, lowered 1 by up to 3.00");
    EXPECT_EQ(regions[1].column0, 8); // row 0
    EXPECT_EQ(regions[2].what(), "ground tile 1, water 1");
    EXPECT_EQ(regions[3].row0, 6);
}

// A region of every point of a large map: no call per point on the stack.
TEST(ChangedRegions, OneRegionOfAMillionPoints) {
    MapChanges c = grid(1025, 1025);
    std::fill(c.rise.begin(), c.rise.end(), 1.0f);
    c.changed = static_cast<long long>(c.rise.size());
    const std::vector<ChangedRegion> regions = changedRegions(c, EnvironmentHeader{});
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].points, 1025LL * 1025);
    EXPECT_EQ(regions[0].columns(), 1025);
}
