// Window classes and windows on SDL: registration, creation with WM_CREATE and WM_SIZE sent
// before CreateWindowExA returns, showing, painting at once, titles, icons and default
// handling.
#include "platform/sdl/icon_resources.h"
#include "platform/sdl/layer_state.h"

#include <cstring>

#include <algorithm>

namespace {

// Stand-ins for system icons and cursors, which have no image here.
HICON__ stockIcon;
char stockCursor;

// Gives the window the class's icon, when it has an image.
void showIcon(SDL_Window* window, const HICON__* icon) {
    if (!icon || !icon->rgba) return;
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<unsigned char*>(icon->rgba), icon->width, icon->height, 32, 4 * icon->width,
        SDL_PIXELFORMAT_RGBA32);
    if (!image) return;
    SDL_SetWindowIcon(window, image);
    SDL_FreeSurface(image);
}

// Creates the SDL window with an OpenGL configuration that every pixel format the layer
// accepts can use: double-buffered RGBA with the deepest depth buffer available.
SDL_Window* createGlWindow(const char* title, int x, int y, int width, int height, int& depthBits) {
    for (const int depth : {24, 16}) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_Window* w =
            SDL_CreateWindow(title, x, y, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
        if (w) {
            depthBits = depth;
            return w;
        }
    }
    return nullptr;
}

LPARAM clientSize(const HWND__& w) {
    int width = 0, height = 0;
    SDL_GetWindowSize(w.sdl, &width, &height);
    return MAKELPARAM(width, height);
}

} // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* windowClass) {
    if (!windowClass || windowClass->cbSize != sizeof(WNDCLASSEXA) || !windowClass->lpfnWndProc ||
        !windowClass->lpszClassName) {
        failWith(ERROR_INVALID_PARAMETER, "The window class is incomplete.");
        return 0;
    }
    LayerState& s = layer();
    for (const WindowClass& c : s.classes) {
        if (c.name == windowClass->lpszClassName) {
            failWith(ERROR_CLASS_ALREADY_EXISTS, "Class already exists.");
            return 0;
        }
    }
    s.classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hIcon,
                         windowClass->style});
    return static_cast<ATOM>(0xC000 + s.classes.size());
}

// Window sizes in this layer are client sizes: there is no frame to add.
BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) {
    return rect ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    LayerState& s = layer();
    const auto found = std::find_if(s.classes.begin(), s.classes.end(), [&](const WindowClass& c) {
        return className && c.name == className;
    });
    if (found == s.classes.end()) {
        failWith(ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.");
        return nullptr;
    }
    if (!ensureVideo()) return nullptr;
    if (width == CW_USEDEFAULT || width <= 0) width = 640;
    if (height == CW_USEDEFAULT || height <= 0) height = 480;
    // The window goes where it is asked to, as on Windows; CW_USEDEFAULT leaves it to the
    // desktop.
    if (x == CW_USEDEFAULT) x = y = static_cast<int>(SDL_WINDOWPOS_UNDEFINED);

    auto window = std::make_unique<HWND__>();
    window->procedure = found->procedure;
    window->doubleClicks = (found->style & CS_DBLCLKS) != 0;
    window->sdl =
        createGlWindow(windowName ? windowName : "", x, y, width, height, window->depthBits);
    if (!window->sdl) {
        failWith(ERROR_INVALID_PARAMETER, std::string("cannot create a window: ") + SDL_GetError());
        return nullptr;
    }
    HWND__* w = window.get();
    showIcon(w->sdl, found->icon);
    s.windows.push_back(std::move(window));
    CREATESTRUCTA create{
        param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (w->procedure(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        destroyWindow(w);
        failWith(ERROR_INVALID_PARAMETER, "WM_CREATE refused the window.");
        return nullptr;
    }
    w->procedure(w, WM_SIZE, SIZE_RESTORED, clientSize(*w));
    if (style & WS_VISIBLE) ShowWindow(w, SW_SHOW);
    return w;
}

BOOL ShowWindow(HWND window, int command) {
    HWND__* w = liveWindow(window);
    if (!w) return FALSE;
    const BOOL wasVisible = w->shown ? TRUE : FALSE;
    if (command == SW_HIDE) {
        SDL_HideWindow(w->sdl);
        w->shown = false;
        return wasVisible;
    }
    SDL_ShowWindow(w->sdl);
    w->shown = true;
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
        SDL_MinimizeWindow(w->sdl);
        w->minimised = true;
    } else if (command == SW_MAXIMIZE || command == SW_RESTORE) {
        command == SW_MAXIMIZE ? SDL_MaximizeWindow(w->sdl) : SDL_RestoreWindow(w->sdl);
        w->minimised = false;
    }
    return wasVisible;
}

// The window is never validated, so there is always something to paint once it is shown.
BOOL UpdateWindow(HWND window) {
    HWND__* w = liveWindow(window);
    if (!w) return FALSE;
    if (paintable(*w)) w->procedure(w, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    HWND__* w = liveWindow(window);
    if (!w) return FALSE;
    // The same title again changes nothing; the desktop's calls for a new one allocate.
    const char* title = text ? text : "";
    if (std::strcmp(SDL_GetWindowTitle(w->sdl), title) != 0) SDL_SetWindowTitle(w->sdl, title);
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
    HWND__* w = liveWindow(window);
    if (!w) return 0;
    switch (message) {
    case WM_CLOSE:
        destroyWindow(w);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the window to close, as the system menu would.
        if (wParam == VK_F4) w->procedure(w, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

bool registerIconResource(int id, int width, int height, const unsigned char* rgba) {
    auto icon = std::make_unique<HICON__>();
    icon->id = id;
    icon->width = width;
    icon->height = height;
    icon->rgba = rgba;
    layer().icons.push_back(std::move(icon));
    return true;
}

// A program's own icon by its number; with no instance, a stock icon (which has no image).
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    if (!instance) return &stockIcon;
    for (const auto& icon : layer().icons)
        if (MAKEINTRESOURCEA(icon->id) == name) return icon.get();
    failWith(ERROR_RESOURCE_NAME_NOT_FOUND, "The specified resource name cannot be found.");
    return nullptr;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR) {
    return reinterpret_cast<HCURSOR>(&stockCursor);
}

HDC GetDC(HWND window) {
    HWND__* w = liveWindow(window);
    return w ? &w->dc : nullptr;
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    HWND__* w = liveWindow(window);
    if (!w || index != GWLP_USERDATA) {
        if (w) failWith(ERROR_INVALID_PARAMETER, "Only GWLP_USERDATA is kept.");
        return 0;
    }
    const LONG_PTR old = w->userData;
    w->userData = value;
    SetLastError(ERROR_SUCCESS); // an old value of 0 is not a failure
    return old;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    HWND__* w = liveWindow(window);
    if (!w || index != GWLP_USERDATA) return 0;
    return w->userData;
}

// Screen coordinates are the client area's position on the desktop plus the client point.
BOOL ScreenToClient(HWND window, POINT* point) {
    HWND__* w = liveWindow(window);
    if (!w || !point) return FALSE;
    int x = 0, y = 0;
    SDL_GetWindowPosition(w->sdl, &x, &y);
    point->x -= x;
    point->y -= y;
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    HWND__* w = liveWindow(window);
    if (!w || !rect) return FALSE;
    int width = 0, height = 0;
    SDL_GetWindowSize(w->sdl, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

HWND SetCapture(HWND window) {
    LayerState& s = layer();
    HWND__* previous = s.capture;
    HWND__* w = liveWindow(window);
    if (!w) return previous;
    s.capture = w;
    SDL_CaptureMouse(SDL_TRUE);
    return previous;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT) || track->dwFlags != TME_LEAVE) {
        failWith(ERROR_INVALID_PARAMETER, "Only TME_LEAVE is tracked.");
        return FALSE;
    }
    HWND__* w = liveWindow(track->hwndTrack);
    if (!w) return FALSE;
    w->trackingLeave = true;
    return TRUE;
}

BOOL ReleaseCapture() {
    layer().capture = nullptr;
    SDL_CaptureMouse(SDL_FALSE);
    return TRUE;
}
