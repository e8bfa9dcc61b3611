// The emitter through which the exact strips reach OpenGL: immediate mode, a normal before each
// vertex, a strip per begin and end.
// Needs: OpenGL 1.x, the terrain model's Point3.
#pragma once

#include "platform/win32.h"
#include "terrain/point3.h"

struct GlEmitter {
    void begin() { glBegin(GL_TRIANGLE_STRIP); }
    void end() { glEnd(); }
    void color(float r, float g, float b) { glColor3f(r, g, b); }
    void normal(const Point3& n) { glNormal3f(n.x, n.y, n.z); }
    void vertex(const Point3& p) { glVertex3f(p.x, p.y, p.z); }
};
