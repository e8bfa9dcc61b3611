// The picture is copied from the back buffer into a texture of the viewport's size (the next
// powers of two where a driver takes no other size) and put back with the nearest texel,
// exactly as it was.
#include "render/plan_picture.h"

#include <algorithm>
#include <cstring>

namespace {

bool anySize() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && version[0] >= '2' && version[0] <= '9') ||
           (extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two"));
}

int sideFor(int pixels) {
    if (anySize()) return pixels;
    int side = 1;
    while (side < pixels) side *= 2;
    return side;
}

} // namespace

bool PlanKey::operator==(const PlanKey& o) const {
    return generation == o.generation && view == o.view && water == o.water &&
           lighting == o.lighting && contours == o.contours && levelOfDetail == o.levelOfDetail &&
           grid == o.grid && polygonMode == o.polygonMode &&
           std::equal(light, light + 3, o.light) && width == o.width && height == o.height &&
           words == o.words && changes == o.changes && older == o.older;
}

bool PlanPicture::drawKept(const PlanKey& now) const {
    if (!kept || !(key == now)) return false;
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float s = static_cast<float>(key.width) / static_cast<float>(across),
                t = static_cast<float>(key.height) / static_cast<float>(down);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(0.0f, t);
    glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(s, t);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopAttrib();
    return true;
}

void PlanPicture::keep(const PlanKey& now, double reach) {
    farPlane = reach;
    const int wantAcross = sideFor(now.width), wantDown = sideFor(now.height);
    if (!texture) glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (wantAcross != across || wantDown != down) {
        across = wantAcross;
        down = wantDown;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, across, down, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    }
    glReadBuffer(GL_BACK);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, now.width, now.height);
    glBindTexture(GL_TEXTURE_2D, 0);
    key = now;
    kept = true;
}
