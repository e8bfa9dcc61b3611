// ViewFrustum: the six clip planes of the current view volume in world coordinates, taken
// from OpenGL's projection and model-view matrices once per frame, and the point test that
// the terrain culling uses.
// Needs: nothing but for extract, which reads OpenGL's matrices and lives with the renderer
// (render/view_frustum_extract.cpp).
#pragma once

struct ViewFrustum {
    enum Slot { rightPlane, leftPlane, bottomPlane, topPlane, farPlane, nearPlane };

    // a, b, c, d per plane, in slot order. a x + b y + c z + d is a point's signed distance,
    // positive inside.
    float planes[6][4] = {};

    // Overwrites the planes from the current GL context's matrices.
    void extract();
    // The same from given column-major matrices: clip = projection x modelView.
    void extractFrom(const float projection[16], const float modelView[16]);

    // True when the point lies strictly inside all six planes (NaN counts as outside).
    bool containsPoint(float x, float y, float z) const {
        for (const auto& p : planes)
            if (!(p[0] * x + p[1] * y + p[2] * z + p[3] > 0.0f)) return false;
        return true;
    }
};

// The frustum of the frame being drawn.
extern ViewFrustum viewFrustum;
