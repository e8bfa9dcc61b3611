// The light marker: a GLU quadric sphere, 100 units in radius with 100 slices and stacks and
// outward normals, drawn yellow where the light is. The light's position is given after
// the viewing transform, so it stays put in the world while the camera moves.
#include "render/light_marker.h"

namespace {

void drawSphere(GLUquadric*& quadric) {
    if (!quadric && (quadric = gluNewQuadric()) != nullptr) {
        gluQuadricNormals(quadric, GLU_SMOOTH);
        gluQuadricOrientation(quadric, GLU_OUTSIDE);
        gluQuadricDrawStyle(quadric, GLU_FILL);
    }
    if (quadric) gluSphere(quadric, 100.0, 100, 100);
}

void place(const float lightPosition[4]) {
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glTranslatef(lightPosition[0], lightPosition[1], lightPosition[2]);
    glColor3f(1.0f, 1.0f, 0.0f);
}

} // namespace

void LightMarker::draw(const float lightPosition[4]) {
    glPushMatrix();
    place(lightPosition);
    drawSphere(quadric);
    glPopMatrix();
}

void LightMarker::drawListed(const float lightPosition[4]) {
    if (list == 0 && (list = glGenLists(1)) != 0) {
        glNewList(list, GL_COMPILE);
        drawSphere(quadric);
        glEndList();
    }
    glPushMatrix();
    place(lightPosition);
    if (list != 0)
        glCallList(list);
    else
        drawSphere(quadric);
    glPopMatrix();
}
