// The viewer's window procedure: projection on resize, frames only while the scene is ready
// and the context lives, keys into the key table, focus loss releasing them, close.
#include "app/key_table.h"
#include "app/main_window.h"
#include "gl_fixture.h"
#include "map_fixture.h"
#include "render/window_context.h"
#include "view/viewer_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return viewerWindowProcedure(windowContext.mainWindow, message, wParam, lParam);
}

void expectViewport(int width, int height) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
}

// The aspect ratio and the field of view of the current perspective projection.
void expectProjection(double aspect, double degrees) {
    float m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[5], 1.0 / std::tan(degrees / 2 * 3.14159265358979 / 180), 1e-4);
    EXPECT_NEAR(m[5] / m[0], aspect, 1e-3 * aspect);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST(WindowProcedure, ResizeSetsTheViewportAnd54DegreeProjection) {
    freshViewer();
    EXPECT_EQ(send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600)), 0);
    expectViewport(800, 600);
    expectProjection(800.0 / 600.0, 54); // narrower than initGL's 60, even at 4:3
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 0));
    expectViewport(640, 1); // a height of 0 counts as 1
    expectProjection(640.0, 54);
    send(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
    expectViewport(0, 1);
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    expectViewport(800, 600);
}

TEST(WindowProcedure, PaintDrawsOnlyOnceTheSceneIsReady) {
    freshViewer();
    useMap(levelDocument(3, 3).bytes());
    viewerState.sceneReady = false;
    send(WM_PAINT);
    EXPECT_EQ(viewerState.elapsedSeconds, 0.0f);
    EXPECT_EQ(viewerState.frameCount, 0);
    viewerState.sceneReady = true;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&counter);
    viewerState.counterFrequency = counter.QuadPart;
    QueryPerformanceCounter(&counter);
    viewerState.startCount = counter.QuadPart - viewerState.counterFrequency / 4; // 0.25 s ago
    send(WM_PAINT);
    EXPECT_GE(viewerState.elapsedSeconds, 0.25f);
    EXPECT_LT(viewerState.elapsedSeconds, 10.0f);
    EXPECT_EQ(viewerState.frameCount, 1);
}

TEST(WindowProcedure, KeysFillTheTableAndLosingTheFocusReleasesThem) {
    freshViewer();
    keyTable.releaseAll();
    send(WM_KEYDOWN, VK_UP);
    send(WM_KEYDOWN, 'W');
    EXPECT_TRUE(keyTable.isHeld(VK_UP));
    send(WM_KEYUP, VK_UP);
    EXPECT_FALSE(keyTable.isHeld(VK_UP));
    EXPECT_TRUE(keyTable.isHeld('W'));
    send(WM_SYSKEYDOWN, 'L'); // with Alt held: not a viewer key
    EXPECT_FALSE(keyTable.isHeld('L'));
    send(WM_KILLFOCUS);
    EXPECT_FALSE(keyTable.isHeld('W'));
    EXPECT_EQ(send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)), 0);
}

TEST(WindowProcedure, CloseReleasesTheContextQuitsAndDrawsNoMoreFrames) {
    freshViewer();
    useMap(levelDocument(3, 3).bytes());
    EXPECT_EQ(send(WM_CLOSE), 0);
    EXPECT_EQ(windowContext.renderingContext, nullptr);
    const int frames = viewerState.frameCount;
    send(WM_PAINT);
    EXPECT_EQ(viewerState.frameCount, frames);
    MSG msg{};
    bool quit = false;
    while (PeekMessageA(&msg, windowContext.mainWindow, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(msg.wParam, 0u);
            break;
        }
    EXPECT_TRUE(quit);
    ASSERT_NE(GetDC(windowContext.mainWindow), nullptr); // the window itself stays

    // A new context for the tests that follow.
    windowContext.renderingContext = wglCreateContext(windowContext.deviceContext);
    ASSERT_NE(windowContext.renderingContext, nullptr);
    ASSERT_TRUE(wglMakeCurrent(windowContext.deviceContext, windowContext.renderingContext));
}

} // namespace
