// The frustum from the current GL context's matrices.
#include "view/view_frustum.h"

#include "platform/win32.h"

void ViewFrustum::extract() {
    float projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    extractFrom(projection, modelView);
}
