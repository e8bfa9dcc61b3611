// Plane extraction: each plane is the fourth row of the combined matrix plus or minus one of
// the first three, scaled so that (a, b, c) has length 1.
#include "view/view_frustum.h"

#include <cmath>

ViewFrustum viewFrustum;

void ViewFrustum::extractFrom(const float projection[16], const float modelView[16]) {
    float clip[16];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            clip[4 * c + r] = projection[r] * modelView[4 * c] +
                              projection[4 + r] * modelView[4 * c + 1] +
                              projection[8 + r] * modelView[4 * c + 2] +
                              projection[12 + r] * modelView[4 * c + 3];
        }
    }
    // Row `row` of clip, added (sign +1) to or taken (-1) from the fourth row.
    const struct {
        int row;
        float sign;
    } recipe[6] = {{0, -1.0f}, {0, 1.0f}, {1, 1.0f}, {1, -1.0f}, {2, -1.0f}, {2, 1.0f}};
    for (int slot = 0; slot < 6; ++slot) {
        float* p = planes[slot];
        for (int k = 0; k < 4; ++k)
            p[k] = clip[4 * k + 3] + recipe[slot].sign * clip[4 * k + recipe[slot].row];
        const float length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        for (int k = 0; k < 4; ++k) p[k] /= length;
    }
}
