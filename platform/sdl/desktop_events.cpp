// Pushes keyboard, window and drop events into SDL's queue for a layer window.
#include "platform/sdl/desktop_events.h"
#include "platform/sdl/layer_state.h"

namespace {

Uint32 sdlIdOf(HWND window) {
    HWND__* w = liveWindow(window);
    return w ? SDL_GetWindowID(w->sdl) : 0;
}

} // namespace

bool pushDesktopKey(HWND window, const char* keyName, bool down, bool repeat, bool alt, bool ctrl,
                    bool shift) {
    const SDL_Scancode scancode = SDL_GetScancodeFromName(keyName);
    if (scancode == SDL_SCANCODE_UNKNOWN) return false;
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = sdlIdOf(window);
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    e.key.keysym.mod = static_cast<Uint16>((alt ? KMOD_LALT : 0) | (ctrl ? KMOD_LCTRL : 0) |
                                           (shift ? KMOD_LSHIFT : 0));
    return SDL_PushEvent(&e) == 1;
}

void pushDesktopEvent(HWND window, DesktopEvent event, int width, int height) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = sdlIdOf(window);
    e.window.data1 = width;
    e.window.data2 = height;
    switch (event) {
    case DesktopEvent::closeRequest:
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        break;
    case DesktopEvent::focusLost:
        e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
        break;
    case DesktopEvent::focusGained:
        e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case DesktopEvent::resized:
        e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
        break;
    case DesktopEvent::minimised:
        e.window.event = SDL_WINDOWEVENT_MINIMIZED;
        break;
    case DesktopEvent::restored:
        e.window.event = SDL_WINDOWEVENT_RESTORED;
        break;
    }
    SDL_PushEvent(&e);
}

void pushDesktopDrop(HWND window, const std::vector<std::string>& files) {
    SDL_Event e{};
    e.drop.windowID = sdlIdOf(window);
    e.type = SDL_DROPBEGIN;
    SDL_PushEvent(&e);
    for (const std::string& file : files) {
        e.type = SDL_DROPFILE;
        e.drop.file = SDL_strdup(file.c_str()); // the layer frees it, as SDL's own
        SDL_PushEvent(&e);
    }
    e.type = SDL_DROPCOMPLETE;
    e.drop.file = nullptr;
    SDL_PushEvent(&e);
}

void pushDesktopMouseButton(HWND window, int button, bool down, int x, int y, int clicks) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = sdlIdOf(window);
    e.button.button = static_cast<Uint8>(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = static_cast<Uint8>(clicks);
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void pushDesktopWheel(HWND window, int notches, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = sdlIdOf(window);
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    SDL_PushEvent(&e);
}

KeyMessage keyMessageForName(const char* keyName, bool down, bool repeat, bool alt, bool ctrl,
                             bool shift) {
    const SDL_Scancode scancode = SDL_GetScancodeFromName(keyName);
    unsigned modifiers = 0;
    if (alt) modifiers |= KMOD_LALT;
    if (ctrl) modifiers |= KMOD_LCTRL;
    if (shift) modifiers |= KMOD_LSHIFT;
    return keyMessageFor(SDL_GetKeyFromScancode(scancode), scancode, modifiers, down, repeat);
}
