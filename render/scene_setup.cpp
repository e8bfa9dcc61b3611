// initGL: the fixed-function state of the viewer, set once. Clockwise triangles are front
// faces because the terrain strips run clockwise seen from above; back faces are culled.
#include "render/scene_setup.h"

#include "view/viewer_state.h"

#include "platform/win32.h"

namespace {

const float light0Ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const float light0Diffuse[4] = {0.25f, 0.25f, 0.25f, 1.0f};
const float materialAmbient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float materialDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};

} // namespace

void initGL() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glEnable(GL_TEXTURE_2D); // no texture is ever given, so colours stay as they are
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light0Ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Diffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, viewerState.lightPosition);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.3333333333333333, 1.0, 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    // From here the current colour is the ambient and diffuse reflectance: the terrain is
    // lit white and the light marker yellow.
    glEnable(GL_COLOR_MATERIAL);
    viewerState.sceneReady = true;
}

void sizeView(const FrameCamera& frame) {
    glViewport(0, 0, frame.width, frame.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(frame.fovyDegrees, frame.aspect, 1.0, 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
