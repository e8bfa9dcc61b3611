// The layer's state, handle checks, error reporting (GetLastError, FormatMessageA and W) and
// the command line.
#include "platform/sdl/layer_state.h"

#include <algorithm>
#include <cstring>

LayerState& layer() {
    static LayerState state;
    return state;
}

bool ensureVideo() {
    LayerState& s = layer();
    if (s.videoReady) return true;
    // Ctrl+C ends the program as any other; closing the last window is the program's call.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Only drivers that put windows on a screen: SDL would otherwise fall back to an
    // offscreen driver and "show" windows nobody can see. SDL_VIDEODRIVER still overrides.
    if (!SDL_getenv("SDL_VIDEODRIVER")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        failWith(ERROR_INVALID_PARAMETER, std::string("no display: ") + SDL_GetError());
        return false;
    }
    s.videoReady = true;
    return true;
}

void rememberCommandLine(const std::string& line) {
    layer().commandLine = wideName(line);
}

LPWSTR GetCommandLineW() {
    return layer().commandLine.data(); // zero-terminated, as a u16string's data is
}

namespace {

// The last error is each thread's own, as Windows keeps it: a map read on another thread never
// sees the window's.
struct LastError {
    DWORD code = ERROR_SUCCESS;
    std::string text;
};
thread_local LastError lastError;

} // namespace

void failWith(DWORD code, const std::string& text) {
    lastError.code = code;
    lastError.text = text;
}

DWORD GetLastError() {
    return lastError.code;
}

void SetLastError(DWORD code) {
    lastError.code = code;
    lastError.text.clear();
}

DWORD FormatMessageA(DWORD flags, const void*, DWORD messageId, DWORD, LPSTR buffer, DWORD size,
                     void*) {
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || !buffer || size == 0) return 0;
    std::string text;
    if (messageId == lastError.code && !lastError.text.empty()) {
        text = lastError.text;
    } else {
        switch (messageId) {
        case ERROR_SUCCESS:
            text = "The operation completed successfully.";
            break;
        case ERROR_INVALID_WINDOW_HANDLE:
            text = "Invalid window handle.";
            break;
        case ERROR_CANNOT_FIND_WND_CLASS:
            text = "Cannot find window class.";
            break;
        case ERROR_CLASS_ALREADY_EXISTS:
            text = "Class already exists.";
            break;
        case ERROR_INVALID_PIXEL_FORMAT:
            text = "The pixel format is invalid.";
            break;
        case ERROR_NOT_ENOUGH_MEMORY:
            text = "Not enough memory.";
            break;
        case ERROR_INVALID_PARAMETER:
            text = "The parameter is incorrect.";
            break;
        default:
            return 0;
        }
    }
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

HWND__* liveWindow(HWND window) {
    if (window) {
        for (const auto& w : layer().windows)
            if (w.get() == window) return w.get();
    }
    failWith(ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.");
    return nullptr;
}

HDC__* liveDc(HDC dc) {
    if (dc) {
        for (const auto& w : layer().windows)
            if (&w->dc == dc) return &w->dc;
    }
    failWith(ERROR_INVALID_PARAMETER, "Invalid device context handle.");
    return nullptr;
}

HGLRC__* liveContext(HGLRC context) {
    if (context) {
        for (const auto& c : layer().contexts)
            if (c.get() == context) return c.get();
    }
    failWith(ERROR_INVALID_PARAMETER, "Invalid rendering context handle.");
    return nullptr;
}

HWND__* windowOfSdlId(Uint32 windowId) {
    for (const auto& w : layer().windows)
        if (SDL_GetWindowID(w->sdl) == windowId) return w.get();
    return nullptr;
}

bool paintable(const HWND__& window) {
    return window.shown && !window.minimised;
}

void destroyWindow(HWND__* window) {
    LayerState& s = layer();
    window->procedure(window, WM_DESTROY, 0, 0);
    for (auto it = s.contexts.begin(); it != s.contexts.end();) {
        if ((*it)->window == window) {
            if (SDL_GL_GetCurrentContext() == (*it)->context)
                SDL_GL_MakeCurrent(window->sdl, nullptr);
            SDL_GL_DeleteContext((*it)->context);
            it = s.contexts.erase(it);
        } else {
            ++it;
        }
    }
    s.posted.erase(std::remove_if(s.posted.begin(), s.posted.end(),
                                  [&](const MSG& m) { return m.hwnd == window; }),
                   s.posted.end());
    s.drops.erase(std::remove_if(s.drops.begin(), s.drops.end(),
                                 [&](const auto& d) { return d->window == window; }),
                  s.drops.end());
    if (s.gathering && s.gathering->window == window) s.gathering.reset();
    if (s.capture == window) ReleaseCapture();
    SDL_DestroyWindow(window->sdl);
    s.windows.erase(std::find_if(s.windows.begin(), s.windows.end(),
                                 [&](const auto& w) { return w.get() == window; }));
}

DWORD FormatMessageW(DWORD flags, const void* source, DWORD messageId, DWORD languageId,
                     LPWSTR buffer, DWORD size, void* arguments) {
    char text[1024];
    if (!buffer || size == 0 ||
        !FormatMessageA(flags, source, messageId, languageId, text, sizeof text, arguments))
        return 0;
    const std::u16string wide = wideName(text);
    const std::size_t n = std::min<std::size_t>(wide.size(), size - 1);
    std::copy_n(wide.data(), n, buffer);
    buffer[n] = u'\0';
    return static_cast<DWORD>(n);
}
