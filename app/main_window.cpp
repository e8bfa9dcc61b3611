// The main window. WM_CREATE takes the device context, sets the pixel format and makes the
// OpenGL context current; a failure there refuses the window, so the start can say why
// instead of running on with nothing to draw into.
#include "app/main_window.h"

#include "app/help_text.h"
#include "app/key_table.h"
#include "render/scene.h"
#include "render/window_context.h"

namespace {

std::string problem;

// Double-buffered RGBA with 32 colour and 16 depth bits, drawn to a window with OpenGL.
const PIXELFORMATDESCRIPTOR pixelFormat = {sizeof(PIXELFORMATDESCRIPTOR),
                                           1,
                                           PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                                               PFD_DOUBLEBUFFER,
                                           PFD_TYPE_RGBA,
                                           32,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           0,
                                           16,
                                           0,
                                           0,
                                           PFD_MAIN_PLANE,
                                           0,
                                           0,
                                           0,
                                           0};

bool setUpPixelFormat(HDC dc) {
    const int format = ChoosePixelFormat(dc, &pixelFormat);
    return format != 0 && SetPixelFormat(dc, format, &pixelFormat);
}

LRESULT onCreate(HWND window) {
    windowContext.deviceContext = GetDC(window);
    if (!windowContext.deviceContext || !setUpPixelFormat(windowContext.deviceContext)) {
        problem = "cannot set the window's pixel format: " + lastErrorText();
        return -1;
    }
    windowContext.renderingContext = wglCreateContext(windowContext.deviceContext);
    if (!windowContext.renderingContext ||
        !wglMakeCurrent(windowContext.deviceContext, windowContext.renderingContext)) {
        problem = "cannot create an OpenGL context: " + lastErrorText();
        return -1;
    }
    return 0;
}

void onSize(LPARAM lParam) {
    const int width = LOWORD(lParam);
    const int height = HIWORD(lParam) == 0 ? 1 : HIWORD(lParam);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(54.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 1000000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Frames are drawn for every paint while the scene is set up and the context lives; the
// window is never validated, so paints keep coming.
void onPaint() {
    if (!viewerState.sceneReady || !windowContext.renderingContext) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    viewerState.elapsedSeconds =
        static_cast<float>(static_cast<double>(now.QuadPart - viewerState.startCount) /
                           static_cast<double>(viewerState.counterFrequency));
    renderFrame();
}

void onClose() {
    wglMakeCurrent(windowContext.deviceContext, nullptr);
    wglDeleteContext(windowContext.renderingContext);
    windowContext.renderingContext = nullptr;
    PostQuitMessage(0);
}

} // namespace

const std::string& startProblem() {
    return problem;
}

std::string lastErrorText() {
    char text[512] = {};
    const DWORD code = GetLastError();
    if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                        0, text, sizeof text, nullptr))
        return "error " + std::to_string(code);
    std::string s(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

bool registerViewerClass(HINSTANCE instance) {
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.style = CS_HREDRAW | CS_VREDRAW;
    c.lpfnWndProc = viewerWindowProcedure;
    c.hInstance = instance;
    c.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.lpszClassName = viewerClassName;
    c.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    if (RegisterClassExA(&c) != 0) return true;
    problem = "cannot register the window class: " + lastErrorText();
    return false;
}

HWND createMainWindow(HINSTANCE instance) {
    RECT rect{0, 0, 800, 600};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    problem.clear();
    HWND window = CreateWindowExA(
        0, viewerClassName, viewerTitle, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
        0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (!window && problem.empty()) problem = "cannot open a window: " + lastErrorText();
    windowContext.mainWindow = window;
    return window;
}

LRESULT CALLBACK viewerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_SIZE:
        onSize(lParam);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_KEYDOWN:
        keyTable.keyDown(wParam);
        return 0;
    case WM_KEYUP:
        keyTable.keyUp(wParam);
        return 0;
    case WM_KILLFOCUS:
        keyTable.releaseAll();
        return 0; // key-ups go elsewhere meanwhile
    case WM_MOUSEMOVE:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
