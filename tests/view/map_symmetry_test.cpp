#include "view/map_symmetry.h"

#include "map_fixture.h"
#include "view/change_colours.h"

#include <gtest/gtest.h>

// The partner map stands where the map does, each point holding its partner's fields; heights
// within the tolerance of their partners' are equal, beyond it they differ; the legend names
// the transform.
TEST(MapSymmetry, PartnersHeightsWithinTheToleranceAndTheLegend) {
    W3eDocument doc = levelDocument(6, 4);
    doc.at(1, 0).groundHeight = rawGroundHeight(0.75); // under the tolerance
    doc.at(0, 1).groundHeight = rawGroundHeight(1.5);  // over it
    doc.at(5, 3).flagsAndTexture = 0x01;               // another ground tile
    const TerrainMap map = loadMap(doc);
    const TerrainMap turned = symmetryPartner(map, Symmetry::turn);
    EXPECT_EQ(turned.vertices[0][0].groundTexture, map.vertices[5][3].groundTexture);
    EXPECT_EQ(turned.vertices[4][3].position.y, map.vertices[1][0].position.y);
    EXPECT_EQ(turned.vertices[4][3].position.x, map.vertices[4][3].position.x);
    EXPECT_EQ(turned.vertices[4][3].position.z, map.vertices[4][3].position.z);
    const MapChanges c = symmetryChanges(turned, map, Symmetry::turn);
    EXPECT_EQ(c.changed, 4); // (0, 1) and (5, 2), (5, 3) and (0, 0)
    EXPECT_EQ(c.raised, 1);
    EXPECT_EQ(c.lowered, 1);
    EXPECT_EQ(c.groundTile, 2);
    EXPECT_STREQ(changesLegend(c).title, "against its half turn");
    EXPECT_NE(symmetryProblem(map, Symmetry::diagonal), "");
    EXPECT_EQ(symmetryProblem(map, Symmetry::mirrorZ), "");
}
