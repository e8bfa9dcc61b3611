// State of the SDL layer, shared by its files: window classes, windows with their device
// contexts, OpenGL contexts, dropped files, the posted-message queue, the quit flag and the
// last error.
// Needs: SDL2.
#pragma once

#include "platform/sdl/win32_api.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

struct HDC__ {
    HWND__* window;
    int pixelFormat = 0; // 0 until SetPixelFormat; a window's format is set once
};

struct HWND__ {
    SDL_Window* sdl = nullptr;
    WNDPROC procedure = nullptr;
    bool shown = false;
    bool minimised = false;
    bool acceptsFiles = false;  // DragAcceptFiles: drops become WM_DROPFILES
    bool doubleClicks = false;  // its class has CS_DBLCLKS
    bool trackingLeave = false; // TrackMouseEvent asked for WM_MOUSELEAVE
    LONG_PTR userData = 0;      // GWLP_USERDATA
    HDC__ dc{this};
    int depthBits = 0; // depth buffer bits the window's GL configuration was made with
};

// An icon: a stock one (no image) or a registered image.
struct HICON__ {
    int id = 0;
    int width = 0, height = 0;
    const unsigned char* rgba = nullptr;
};

struct HGLRC__ {
    SDL_GLContext context = nullptr;
    HWND__* window = nullptr;
};

// The files of one drop, from WM_DROPFILES until DragFinish.
struct HDROP__ {
    HWND__* window = nullptr;
    std::vector<std::string> files;
};

struct WindowClass {
    std::string name;
    WNDPROC procedure;
    HICON icon;
    UINT style;
};

struct LayerState {
    bool videoReady = false;
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<HWND__>> windows;
    std::vector<std::unique_ptr<HGLRC__>> contexts;
    std::vector<std::unique_ptr<HDROP__>> drops; // handed out, not yet finished
    std::vector<std::unique_ptr<HICON__>> icons; // registered by the program
    std::unique_ptr<HDROP__> gathering;          // a drop whose files are still arriving
    std::deque<MSG> posted;                      // input and posted messages, oldest first
    HWND__* capture = nullptr;                   // the window that has the mouse
    bool quitPosted = false;
    int quitCode = 0;
    std::u16string commandLine; // GetCommandLineW's, with its zero
};

LayerState& layer();

// Starts SDL's video once. False when there is no display; the reason is the last error.
bool ensureVideo();

// Keeps the program's command line (its name first) for GetCommandLineW.
void rememberCommandLine(const std::string& line);

// A name between the system's bytes and UTF-16, losing nothing either way: bytes that are
// not UTF-8 travel as lone surrogates U+DC80 to U+DCFF.
std::u16string wideName(const std::string& name);
std::string narrowName(LPCWSTR name);

// Records a failure for GetLastError and FormatMessageA.
void failWith(DWORD code, const std::string& text);

// The live window behind a handle; null (and the last error set) for null or unknown ones.
HWND__* liveWindow(HWND window);
HDC__* liveDc(HDC dc);
HGLRC__* liveContext(HGLRC context);
HWND__* windowOfSdlId(Uint32 windowId);

// Whether the window is shown and not minimised, so that it has something to paint.
bool paintable(const HWND__& window);

// Removes a window: WM_DESTROY to its procedure, then its contexts and SDL window go.
void destroyWindow(HWND__* window);

// Takes SDL's drop events (begin, a file each, complete). Returns the drop once it is complete
// and its window accepts files, for the caller to post as WM_DROPFILES; null otherwise.
HDROP__* gatherDrop(const SDL_Event& event);
