// The message queue on SDL's event queue. Input becomes posted messages (keys, mouse, drops);
// window changes become messages sent straight to the window procedure while the queue is
// pumped (WM_SIZE, WM_SETFOCUS, WM_KILLFOCUS, WM_CLOSE), as Windows sends them. PeekMessageA
// returns posted messages first, then WM_QUIT, then WM_PAINT for a shown, unminimised window:
// the window is never validated, so a paint is always waiting.
#include "platform/sdl/key_mapping.h"
#include "platform/sdl/layer_state.h"
#include "platform/sdl/mouse_mapping.h"

#include <algorithm>

namespace {

HWND__* targetOf(Uint32 windowId) {
    if (HWND__* w = windowOfSdlId(windowId)) return w;
    // Keyboard events may name no window (focus in transit): the first window takes them.
    return layer().windows.empty() ? nullptr : layer().windows.front().get();
}

// The window with the mouse captured takes its messages; otherwise the window under it, or,
// while SDL has not yet seen the pointer enter any window, the first one, as for keys.
HWND__* mouseTarget(Uint32 windowId) {
    HWND__* captured = layer().capture;
    return captured ? captured : targetOf(windowId);
}

void post(HWND__* w, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG m{};
    m.hwnd = w;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = SDL_GetTicks();
    layer().posted.push_back(m);
}

void send(HWND__* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (w) w->procedure(w, message, wParam, lParam);
}

void translateKey(const SDL_KeyboardEvent& key, bool down) {
    const KeyMessage k =
        keyMessageFor(key.keysym.sym, key.keysym.scancode, key.keysym.mod, down, key.repeat != 0);
    if (k.message != 0) post(targetOf(key.windowID), k.message, k.virtualKey, k.lParam);
}

void translateMotion(const SDL_MouseMotionEvent& motion) {
    if (HWND__* w = mouseTarget(motion.windowID)) {
        const MouseMessage m =
            mouseMoveMessage(motion.x, motion.y, motion.state, SDL_GetModState());
        post(w, m.message, m.wParam, m.lParam);
    }
}

void translateButton(const SDL_MouseButtonEvent& button, bool down) {
    if (HWND__* w = mouseTarget(button.windowID)) {
        // The mask after the event: SDL's state may not have seen it yet.
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        buttons = down ? buttons | SDL_BUTTON(button.button) : buttons & ~SDL_BUTTON(button.button);
        const MouseMessage m =
            mouseButtonMessage(button.button, down, button.clicks, w->doubleClicks, button.x,
                               button.y, buttons, SDL_GetModState());
        if (m.message != 0) post(w, m.message, m.wParam, m.lParam);
    }
}

void translateWheel(const SDL_MouseWheelEvent& wheel) {
    if (HWND__* w = mouseTarget(wheel.windowID)) {
        int x = 0, y = 0;
        SDL_GetWindowPosition(w->sdl, &x, &y);
        const int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
        const MouseMessage m =
            mouseWheelMessage(notches, x + wheel.mouseX, y + wheel.mouseY,
                              SDL_GetMouseState(nullptr, nullptr), SDL_GetModState());
        if (notches != 0) post(w, m.message, m.wParam, m.lParam);
    }
}

// A size the window has now: restored or maximised.
void sendSize(HWND__* w, WPARAM kind) {
    if (!w) return;
    w->minimised = false;
    int width = 0, height = 0;
    SDL_GetWindowSize(w->sdl, &width, &height);
    send(w, WM_SIZE, kind, MAKELPARAM(width, height));
}

void translateWindow(const SDL_WindowEvent& window) {
    HWND__* w = windowOfSdlId(window.windowID);
    switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window.data1, window.data2));
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (w) w->minimised = true;
        send(w, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        sendSize(w, SIZE_MAXIMIZED);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        sendSize(w, SIZE_RESTORED);
        break;
    case SDL_WINDOWEVENT_LEAVE:
        if (w && w->trackingLeave) {
            w->trackingLeave = false;
            post(w, WM_MOUSELEAVE, 0, 0);
        }
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        send(w, WM_SETFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        send(w, WM_KILLFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        send(w, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        translateKey(e.key, e.type == SDL_KEYDOWN);
        break;
    case SDL_MOUSEMOTION:
        translateMotion(e.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateButton(e.button, e.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEWHEEL:
        translateWheel(e.wheel);
        break;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
        if (HDROP__* drop = gatherDrop(e))
            post(drop->window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        break;
    case SDL_WINDOWEVENT:
        translateWindow(e.window);
        break;
    default:
        break;
    }
}

void pump() {
    if (!layer().videoReady) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
}

// No range (0, 0) takes every message.
bool inRange(UINT message, UINT low, UINT high) {
    return (low == 0 && high == 0) || (message >= low && message <= high);
}

bool matches(const MSG& m, HWND filter, UINT low, UINT high) {
    return (!filter || m.hwnd == filter) && inRange(m.message, low, high);
}

} // namespace

BOOL PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (!msg) return FALSE;
    if (window && !liveWindow(window)) return FALSE;
    pump();
    LayerState& s = layer();
    const auto found = std::find_if(s.posted.begin(), s.posted.end(), [&](const MSG& m) {
        return matches(m, window, filterMin, filterMax);
    });
    if (found != s.posted.end()) {
        *msg = *found;
        if (removeMsg & PM_REMOVE) s.posted.erase(found);
        return TRUE;
    }
    // The quit flag answers whatever the window filter, once the queue has nothing else.
    if (s.quitPosted && inRange(WM_QUIT, filterMin, filterMax)) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(s.quitCode);
        msg->time = SDL_GetTicks();
        if (removeMsg & PM_REMOVE) s.quitPosted = false;
        return TRUE;
    }
    if (inRange(WM_PAINT, filterMin, filterMax)) {
        for (const auto& w : s.windows) {
            if ((!window || w.get() == window) && paintable(*w)) {
                *msg = MSG{};
                msg->hwnd = w.get();
                msg->message = WM_PAINT;
                msg->time = SDL_GetTicks();
                return TRUE;
            }
        }
    }
    return FALSE;
}

// Keys carry their virtual code already; the viewer reads no characters, so no WM_CHAR.
BOOL TranslateMessage(const MSG* msg) {
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    HWND__* w = liveWindow(msg->hwnd);
    return w ? w->procedure(w, msg->message, msg->wParam, msg->lParam) : 0;
}

void PostQuitMessage(int exitCode) {
    layer().quitPosted = true;
    layer().quitCode = exitCode;
}

// Returns once a message waits: posted input, the quit flag, or a window with a paint.
// Desktop events that make no message (or only sent ones) do not end the wait.
BOOL WaitMessage() {
    LayerState& s = layer();
    if (!s.videoReady) return TRUE;
    for (;;) {
        pump();
        if (!s.posted.empty() || s.quitPosted ||
            std::any_of(s.windows.begin(), s.windows.end(),
                        [](const auto& w) { return paintable(*w); }))
            return TRUE;
        SDL_Event e;
        if (!SDL_WaitEvent(&e)) return FALSE;
        translate(e);
    }
}
