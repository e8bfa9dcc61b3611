// Pixel formats and OpenGL contexts through the Windows calls: what is accepted, what is
// refused, and a real drawing read back.
#include "window_fixture.h"

#include <gtest/gtest.h>

namespace {

PIXELFORMATDESCRIPTOR viewerDescriptor() {
    PIXELFORMATDESCRIPTOR d{};
    d.nSize = sizeof d;
    d.nVersion = 1;
    d.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    d.iPixelType = PFD_TYPE_RGBA;
    d.cColorBits = 32;
    d.cDepthBits = 16;
    d.iLayerType = PFD_MAIN_PLANE;
    return d;
}

TEST(GlContext, DescriptorsAskingForWhatCannotBeGivenAreRefused) {
    HWND w = makeWindow("zuvaro format test");
    HDC dc = GetDC(w);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDC(w), dc); // one device context per window
    const PIXELFORMATDESCRIPTOR good = viewerDescriptor();
    std::vector<PIXELFORMATDESCRIPTOR> bad(6, good);
    bad[0].iPixelType = PFD_TYPE_COLORINDEX;
    bad[1].cDepthBits = 32;
    bad[2].dwFlags |= PFD_STEREO;
    bad[3].dwFlags &= ~static_cast<DWORD>(PFD_SUPPORT_OPENGL);
    bad[4].cAccumBits = 64;
    bad[5].dwFlags &= ~static_cast<DWORD>(PFD_DOUBLEBUFFER);
    for (const PIXELFORMATDESCRIPTOR& d : bad) {
        EXPECT_EQ(ChoosePixelFormat(dc, &d), 0);
        EXPECT_FALSE(SetPixelFormat(dc, 1, &d));
    }
    EXPECT_EQ(wglCreateContext(dc), nullptr); // no pixel format yet
    const int format = ChoosePixelFormat(dc, &good);
    ASSERT_NE(format, 0);
    EXPECT_FALSE(SetPixelFormat(dc, format + 1, &good));
    EXPECT_TRUE(SetPixelFormat(dc, format, &good));
    EXPECT_FALSE(SetPixelFormat(dc, format, &good)); // a window's format is set once
    closeWindow(w);
}

TEST(GlContext, DrawsIntoTheWindowAndReadsBack) {
    HWND w = makeWindow("zuvaro draw test", 64, 48);
    ShowWindow(w, SW_SHOW);
    HDC dc = GetDC(w);
    const PIXELFORMATDESCRIPTOR d = viewerDescriptor();
    ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &d), &d));
    HGLRC context = wglCreateContext(dc);
    ASSERT_NE(context, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc, context));

    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, GL_TRUE);

    glViewport(0, 0, 64, 48);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_QUADS); // the right half green
    glVertex2f(0.0f, -1.0f);
    glVertex2f(1.0f, -1.0f);
    glVertex2f(1.0f, 1.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    glFinish();
    unsigned char left[4] = {}, right[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(10, 24, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
    glReadPixels(54, 24, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
    EXPECT_EQ(left[0], 255);
    EXPECT_EQ(left[1], 0);
    EXPECT_EQ(right[0], 0);
    EXPECT_EQ(right[1], 255);
    EXPECT_TRUE(SwapBuffers(dc));
    glFinish();
    // The desktop shows the drawing once the buffers are swapped: read the window back
    // from the X server (row 24 from the bottom is row 23 from the top).
    const std::string id = visibleWindowNamed("zuvaro draw test");
    ASSERT_NE(id, "");
    EXPECT_EQ(shellLine("import -window " + id +
                        " -crop 1x1+54+23 -depth 8 txt:- | tail -n 1 | "
                        "grep -o '#[0-9A-F]\\{6\\}'"),
              "#00FF00");

    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_TRUE(wglDeleteContext(context));
    EXPECT_FALSE(wglDeleteContext(context));
    closeWindow(w);
}

} // namespace
