#include "render/measure_draw.h"

#include "platform/win32.h"

namespace {

void drawLegs(const TerrainMap& map, const MeasurePath& path, std::vector<Point3>& samples) {
    for (std::size_t leg = 0; leg + 1 < path.points.size(); ++leg) {
        path.legSamples(map, leg, samples);
        glBegin(GL_LINE_STRIP);
        for (const Point3& p : samples) glVertex3f(p.x, p.y, p.z);
        glEnd();
    }
}

void drawPoints(const MeasurePath& path) {
    glBegin(GL_POINTS);
    for (const Point3& p : path.points) glVertex3f(p.x, p.y, p.z);
    glEnd();
}

} // namespace

void drawMeasurePath(const TerrainMap& map, const MeasurePath& path, std::vector<Point3>& samples) {
    if (path.points.empty()) return;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.05f, 0.05f, 0.05f);
    glLineWidth(4.0f);
    drawLegs(map, path, samples);
    glPointSize(10.0f);
    drawPoints(path);
    glColor3f(1.0f, 0.86f, 0.1f);
    glLineWidth(2.0f);
    drawLegs(map, path, samples);
    glPointSize(6.0f);
    drawPoints(path);
    glPopAttrib();
}
