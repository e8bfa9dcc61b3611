// The main window. WM_CREATE takes the device context, sets the pixel format and makes the
// OpenGL context current; a failure there refuses the window, and the reason goes back to
// the creator through the creation parameter, so the start can say why instead of running on
// with nothing to draw into. The same parameter brings the controls that the window's input
// changes, which the window keeps as its data.
#include "app/main_window.h"

#include "app/help_text.h"
#include "app/key_table.h"
#include "app/last_error.h"
#include "app/map_session.h"
#include "app/mouse_actions.h"
#include "app/resource_ids.h"
#include "app/system_text.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/window_context.h"

namespace {

// Double-buffered RGBA with 32 colour and 24 depth bits, drawn to a window with OpenGL (16
// depth bits make far surfaces fight for pixels).
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
                                           24,
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

// What CreateWindowExA hands to WM_CREATE.
struct Creation {
    std::string* problem;
    ViewControls* controls;
};

LRESULT refuse(const CREATESTRUCTA* create, const std::string& why) {
    if (create && create->lpCreateParams)
        *static_cast<const Creation*>(create->lpCreateParams)->problem = why;
    return -1;
}

ViewControls* controlsOf(HWND window) {
    return reinterpret_cast<ViewControls*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT onCreate(HWND window, const CREATESTRUCTA* create) {
    if (create && create->lpCreateParams)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              static_cast<const Creation*>(create->lpCreateParams)->controls));
    windowContext.deviceContext = GetDC(window);
    if (!windowContext.deviceContext || !setUpPixelFormat(windowContext.deviceContext))
        return refuse(create, "cannot set the window's pixel format: " + lastErrorText());
    windowContext.renderingContext = wglCreateContext(windowContext.deviceContext);
    if (!windowContext.renderingContext ||
        !wglMakeCurrent(windowContext.deviceContext, windowContext.renderingContext))
        return refuse(create, "cannot create an OpenGL context: " + lastErrorText());
    DragAcceptFiles(window, TRUE);
    return 0;
}

// The first file or folder of a drop replaces the map.
void onDropFiles(HDROP drop, ViewControls& controls) {
    std::string path;
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        WideString name(DragQueryFileW(drop, 0, nullptr, 0) + 1, WCHAR{});
        name.resize(DragQueryFileW(drop, 0, &name[0], static_cast<UINT>(name.size())));
        path = utf8FromWide(name.c_str(), static_cast<int>(name.size()));
    }
    DragFinish(drop);
    if (!path.empty()) beginOpening(path, controls);
}

// Where the pointer is, for the words about the point under it; and one WM_MOUSELEAVE asked
// for when it arrives, so that they go when it leaves.
void pointerAt(HWND window, Overlay& overlay, int x, int y) {
    if (!overlay.cursorIn) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
    }
    overlay.cursorIn = true;
    overlay.cursorX = x;
    overlay.cursorY = y;
}

// The client area's size becomes the frames' viewport. initGL's projection (60 degrees at 4:3)
// holds until the first resize after it, which narrows it to 54 degrees at the window's shape.
void onSize(FrameCamera& frame, LPARAM lParam) {
    frame.width = LOWORD(lParam);
    frame.height = HIWORD(lParam) == 0 ? 1 : HIWORD(lParam);
    if (viewerState.sceneReady) {
        frame.fovyDegrees = 54.0;
        frame.aspect = static_cast<double>(frame.width) / static_cast<double>(frame.height);
    }
    sizeView(frame);
}

// Frames are drawn for every paint while the scene is set up and the context lives; the
// window is never validated, so paints keep coming.
void onPaint(SceneView& scene) {
    if (!viewerState.sceneReady || !windowContext.renderingContext) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    viewerState.elapsedSeconds =
        static_cast<float>(static_cast<double>(now.QuadPart - viewerState.startCount) /
                           static_cast<double>(viewerState.counterFrequency));
    renderFrame(scene);
}

void onClose() {
    wglMakeCurrent(windowContext.deviceContext, nullptr);
    wglDeleteContext(windowContext.renderingContext);
    windowContext.renderingContext = nullptr;
    PostQuitMessage(0);
}

} // namespace

bool registerViewerClass(HINSTANCE instance, std::string& problem) {
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    c.lpfnWndProc = viewerWindowProcedure;
    c.hInstance = instance;
    // The program's own icon; the system's where the program carries none (tests).
    c.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ZUVARO_ICON_ID));
    if (!c.hIcon) c.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    c.lpszClassName = viewerClassName;
    c.hIconSm = c.hIcon;
    if (RegisterClassExA(&c) != 0) return true;
    problem = "cannot register the window class: " + lastErrorText();
    return false;
}

HWND createMainWindow(HINSTANCE instance, std::string& problem, ViewControls& controls) {
    RECT rect{0, 0, 800, 600};
    AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    problem.clear();
    Creation creation{&problem, &controls};
    HWND window = CreateWindowExA(
        0, viewerClassName, viewerTitle, WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
        0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, &creation);
    if (!window && problem.empty()) problem = "cannot open a window: " + lastErrorText();
    windowContext.mainWindow = window;
    return window;
}

bool setSwapInterval(int interval) {
    using SwapInterval = BOOL(WINAPI*)(int);
    const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
    // Through a plain function pointer type, as casts between function types go.
    return found &&
           reinterpret_cast<SwapInterval>(reinterpret_cast<void (*)()>(found))(interval) != FALSE;
}

LRESULT CALLBACK viewerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE)
        return onCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    ViewControls* controls = controlsOf(window);
    if (!controls) return DefWindowProcA(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SIZE:
        onSize(controls->scene.frame, lParam);
        return 0;
    case WM_PAINT:
        onPaint(controls->scene);
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
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        mouseButtonDown(window, *controls, message, x, y, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        mouseButtonUp(*controls, message, x, y);
        return 0;
    case WM_MOUSEMOVE:
        pointerAt(window, controls->scene.overlay, x, y);
        mouseMoved(*controls, x, y);
        return 0;
    case WM_MOUSELEAVE:
        controls->scene.overlay.cursorIn = false;
        return 0;
    case WM_MOUSEWHEEL: {
        POINT at{x, y}; // the wheel's position is on the screen
        ScreenToClient(window, &at);
        mouseWheel(*controls, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, at.x, at.y);
        return 0;
    }
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(wParam), *controls);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
