// Frustum planes from real GL matrices, and the point test.
#include "gl_fixture.h"
#include "view/view_frustum.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectPlane(const ViewFrustum& f, int slot, float a, float b, float c, float d) {
    EXPECT_NEAR(f.planes[slot][0], a, 1e-4) << "slot " << slot;
    EXPECT_NEAR(f.planes[slot][1], b, 1e-4) << "slot " << slot;
    EXPECT_NEAR(f.planes[slot][2], c, 1e-4) << "slot " << slot;
    EXPECT_NEAR(f.planes[slot][3], d, 1e-4) << "slot " << slot;
}

void setMatrices(bool perspective) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (perspective) gluPerspective(60.0, 4.0 / 3.0, 1.0, 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

TEST(ViewFrustum, IdentityMatricesGiveTheOpenUnitCube) {
    ensureGlWindow();
    setMatrices(false);
    ViewFrustum f;
    f.extract();
    expectPlane(f, ViewFrustum::rightPlane, -1, 0, 0, 1);
    expectPlane(f, ViewFrustum::leftPlane, 1, 0, 0, 1);
    expectPlane(f, ViewFrustum::bottomPlane, 0, 1, 0, 1);
    expectPlane(f, ViewFrustum::topPlane, 0, -1, 0, 1);
    expectPlane(f, ViewFrustum::farPlane, 0, 0, -1, 1);
    expectPlane(f, ViewFrustum::nearPlane, 0, 0, 1, 1);
    EXPECT_TRUE(f.containsPoint(0, 0, 0));
    EXPECT_FALSE(f.containsPoint(1, 0, 0)); // on the right plane is outside
    EXPECT_TRUE(f.containsPoint(0.5f, -0.5f, 0.99f));
    EXPECT_FALSE(f.containsPoint(0, 0, -1.5f));
}

TEST(ViewFrustum, PerspectiveOfTheViewer) {
    ensureGlWindow();
    setMatrices(true);
    ViewFrustum f;
    f.extract();
    expectPlane(f, ViewFrustum::nearPlane, 0, 0, -1, -1);
    expectPlane(f, ViewFrustum::rightPlane, -0.7924f, 0, -0.6100f, 0);
    expectPlane(f, ViewFrustum::leftPlane, 0.7924f, 0, -0.6100f, 0);
    expectPlane(f, ViewFrustum::bottomPlane, 0, 0.8660f, -0.5f, 0);
    expectPlane(f, ViewFrustum::topPlane, 0, -0.8660f, -0.5f, 0);
    EXPECT_FALSE(f.containsPoint(0, 0, -0.5f)); // nearer than the near plane
    EXPECT_TRUE(f.containsPoint(0, 0, -10));
    EXPECT_TRUE(f.containsPoint(0, 5, -10));
    EXPECT_FALSE(f.containsPoint(0, 10, -10)); // above the top plane
    const float* near = f.planes[ViewFrustum::nearPlane];
    EXPECT_NEAR(near[0] * 0 + near[1] * 0 + near[2] * -3 + near[3], 2.0, 1e-5); // a distance

    // The global frustum is what a frame extracts into; the copy tests the same.
    viewFrustum.extract();
    EXPECT_EQ(viewFrustum.planes[ViewFrustum::topPlane][1], f.planes[ViewFrustum::topPlane][1]);
}

TEST(ViewFrustum, ExtractFromTakesTheProjectionOnTheLeft) {
    // The viewer's projection with the eye moved 5 units back along z: in world coordinates
    // the near plane lies at z = -6, and points nearer than that are outside.
    ensureGlWindow();
    setMatrices(true);
    glTranslatef(0.0f, 0.0f, 5.0f);
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    ViewFrustum given, read;
    given.extractFrom(projection, modelView);
    read.extract();
    for (int slot = 0; slot < 6; ++slot)
        for (int k = 0; k < 4; ++k) EXPECT_EQ(given.planes[slot][k], read.planes[slot][k]);
    expectPlane(given, ViewFrustum::nearPlane, 0, 0, -1, -6);
    EXPECT_FALSE(given.containsPoint(0, 0, -5.5f));
    EXPECT_TRUE(given.containsPoint(0, 0, -7));
    // The other order (model-view on the left) would leave the near plane where it was.
    ViewFrustum swapped;
    swapped.extractFrom(modelView, projection);
    EXPECT_GT(std::fabs(swapped.planes[ViewFrustum::nearPlane][3] + 6.0f), 0.5f);
    setMatrices(true);
}

TEST(ViewFrustum, NotANumberIsOutside) {
    ViewFrustum f;
    for (auto& p : f.planes) p[3] = 1.0f;
    EXPECT_TRUE(f.containsPoint(5, 5, 5));
    f.planes[ViewFrustum::farPlane][0] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(f.containsPoint(5, 5, 5));
}

} // namespace
