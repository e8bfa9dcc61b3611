// Pixel formats and OpenGL contexts on SDL. A window's GL configuration is fixed when SDL
// makes it (double-buffered RGBA, 24 or 16 depth bits, 8 stencil bits), so there is one
// pixel format per window, and a descriptor that asks for more or other is refused.
#include "platform/sdl/layer_state.h"

#include <algorithm>

namespace {

constexpr int onlyFormat = 1;

bool canGive(const HWND__& w, const PIXELFORMATDESCRIPTOR& d) {
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    const DWORD unavailable = PFD_STEREO | PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI;
    return (d.dwFlags & needed) == needed && !(d.dwFlags & unavailable) &&
           d.iPixelType == PFD_TYPE_RGBA && d.cColorBits <= 32 && d.cAlphaBits <= 8 &&
           d.cDepthBits <= w.depthBits && d.cStencilBits <= 8 && d.cAccumBits == 0 &&
           d.cAuxBuffers == 0;
}

} // namespace

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
    HDC__* d = liveDc(dc);
    if (!d || !descriptor) return 0;
    if (!canGive(*d->window, *descriptor)) {
        failWith(ERROR_INVALID_PIXEL_FORMAT, "No pixel format matches the descriptor.");
        return 0;
    }
    return onlyFormat;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor) {
    HDC__* d = liveDc(dc);
    if (!d) return FALSE;
    if (format != onlyFormat || d->pixelFormat != 0 ||
        (descriptor && !canGive(*d->window, *descriptor))) {
        failWith(ERROR_INVALID_PIXEL_FORMAT, "The pixel format is invalid.");
        return FALSE;
    }
    d->pixelFormat = format;
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    HDC__* d = liveDc(dc);
    if (!d) return FALSE;
    SDL_GL_SwapWindow(d->window->sdl);
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    HDC__* d = liveDc(dc);
    if (!d) return nullptr;
    if (d->pixelFormat == 0) {
        failWith(ERROR_INVALID_PIXEL_FORMAT, "The device context has no pixel format.");
        return nullptr;
    }
    // SDL makes a new context current; Windows does not, so the previous one comes back.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(d->window->sdl);
    if (!context) {
        failWith(ERROR_INVALID_PIXEL_FORMAT,
                 std::string("cannot create an OpenGL context: ") + SDL_GetError());
        return nullptr;
    }
    SDL_GL_MakeCurrent(previous ? previousWindow : d->window->sdl, previous);
    auto created = std::make_unique<HGLRC__>();
    created->context = context;
    created->window = d->window;
    layer().contexts.push_back(std::move(created));
    return layer().contexts.back().get();
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    if (!context) {
        // Releasing needs no device context.
        if (SDL_GL_GetCurrentContext()) SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
        return TRUE;
    }
    HDC__* d = liveDc(dc);
    HGLRC__* c = liveContext(context);
    if (!d || !c) return FALSE;
    if (SDL_GL_MakeCurrent(d->window->sdl, c->context) != 0) {
        failWith(ERROR_INVALID_PIXEL_FORMAT, SDL_GetError());
        return FALSE;
    }
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context) {
    HGLRC__* c = liveContext(context);
    if (!c) return FALSE;
    if (SDL_GL_GetCurrentContext() == c->context) SDL_GL_MakeCurrent(c->window->sdl, nullptr);
    SDL_GL_DeleteContext(c->context);
    auto& all = layer().contexts;
    all.erase(std::find_if(all.begin(), all.end(), [&](const auto& p) { return p.get() == c; }));
    return TRUE;
}

namespace {

// wglSwapIntervalEXT on SDL's swap interval, for the current context.
BOOL WINAPI swapIntervalExt(int interval) {
    if (SDL_GL_SetSwapInterval(interval) == 0) return TRUE;
    failWith(ERROR_INVALID_PARAMETER, SDL_GetError());
    return FALSE;
}

} // namespace

PROC wglGetProcAddress(LPCSTR name) {
    if (name && std::string(name) == "wglSwapIntervalEXT")
        return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(&swapIntervalExt));
    // OpenGL's own functions past 1.1, from the current context's driver, as on Windows.
    if (name && std::string(name).rfind("gl", 0) == 0 && SDL_GL_GetCurrentContext())
        if (void* found = SDL_GL_GetProcAddress(name))
            return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(found));
    failWith(ERROR_INVALID_PARAMETER, "No such OpenGL extension function.");
    return nullptr;
}
